#pragma once
#include <QIcon>
#include <QImage>
#include <QString>

// The main window's pictures and icons. The build renders each SVG under app/art at its own
// size and at twice that size into raw premultiplied pixels, compiled in uncompressed: at
// start-up a picture is then used where it lies in the program file, where parsing and
// drawing SVG, or decoding PNG, costs milliseconds and fresh memory.
namespace AppArt {

// The picture for screens of the given pixel ratio (1 or 2 times its size), sharing the
// program file's memory; a null image if there is no such picture.
QImage image(const QString& name, qreal devicePixelRatio);
// The same picture as an icon.
QIcon icon(const QString& name, qreal devicePixelRatio);

// The raw file the build writes: RawMagic, width, height (native 32-bit words), then
// width × height ARGB32 premultiplied pixels.
inline constexpr quint32 RawMagic = 0x41524C4Cu;

} // namespace AppArt
