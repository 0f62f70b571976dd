#pragma once
#include <QByteArray>
#include <QImage>
#include <QString>

// The issuer's seal as a file is chosen and as it is printed: a PNG or a self-contained SVG.
namespace SealImage {

inline constexpr qint64 LargestFile = 5 * 1024 * 1024;

struct Chosen {
    QString kind;     // "png" or "svg"; empty when refused
    QByteArray bytes; // what is stored
    QString error;    // why the file was refused (in Japanese)
};

// The file's contents checked: a file over 5 MB, one that is neither a PNG nor an SVG (whatever
// its name), a damaged one, and an SVG that reaches outside itself are refused. With
// `whiteToTransparent` the light background of a scanned seal is taken out; the result is a PNG.
Chosen choose(const QByteArray& bytes, bool whiteToTransparent);
// The image as PNG bytes.
QByteArray pngOf(const QImage& image);

// The seal ready to print, its longer side `longSidePixels` for an SVG (a PNG keeps its own
// pixels); a null image when the stored seal cannot be used.
QImage render(const QString& kind, const QByteArray& bytes, int longSidePixels = 1200);

} // namespace SealImage
