#include "report/SealImage.h"

#include "report/SvgSafety.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

namespace SealImage {

namespace {

const QString notAnImage = QStringLiteral("印影には PNG または SVG の画像ファイルを選んでください。");

bool isPng(const QByteArray& bytes) { return bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n")); }

// Anything that starts like XML (after a byte-order mark and blanks) is read as an SVG.
bool looksLikeXml(const QByteArray& bytes)
{
    QByteArrayView rest(bytes);
    if (rest.startsWith("\xEF\xBB\xBF"))
        rest = rest.sliced(3);
    return rest.trimmed().startsWith('<');
}

QImage readPng(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "png");
    QImage image;
    // A file cut short or with a broken chunk fails here rather than printing half a seal.
    if (!reader.read(&image))
        return {};
    return image;
}

QImage renderSvg(const QByteArray& bytes, int longSide)
{
    if (!SvgSafety::refusal(bytes).isEmpty())
        return {};
    QSvgRenderer renderer(bytes);
    const QSizeF natural = renderer.viewBoxF().size();
    if (!renderer.isValid() || natural.isEmpty())
        return {};
    const QSize pixels = natural.scaled(QSizeF(longSide, longSide), Qt::KeepAspectRatio).toSize();
    QImage image(pixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    return image;
}

// Paper white and the light grey of a scan become see-through; the ink stays as it was.
QImage withoutWhite(QImage image)
{
    image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qMin(qRed(line[x]), qMin(qGreen(line[x]), qBlue(line[x]))) >= 215)
                line[x] = qRgba(255, 255, 255, 0);
    }
    return image;
}

} // namespace

QByteArray pngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

Chosen choose(const QByteArray& bytes, bool whiteToTransparent)
{
    if (bytes.size() > LargestFile)
        return {{}, {}, QStringLiteral("ファイルが大きすぎます（%1 MB）。印影の画像は 5 MB までです。")
                            .arg(double(bytes.size()) / (1024 * 1024), 0, 'f', 1)};
    Chosen chosen;
    QImage image;
    if (isPng(bytes)) {
        image = readPng(bytes);
        if (image.isNull())
            return {{}, {}, QStringLiteral("PNG ファイルが壊れているため、読めません。")};
        chosen = {QStringLiteral("png"), bytes, {}};
    } else if (looksLikeXml(bytes)) {
        if (const QString refused = SvgSafety::refusal(bytes); !refused.isEmpty())
            return {{}, {}, refused};
        image = renderSvg(bytes, 1200);
        if (image.isNull())
            return {{}, {}, QStringLiteral("SVG ファイルが壊れているため、読めません。")};
        chosen = {QStringLiteral("svg"), bytes, {}};
    } else {
        return {{}, {}, notAnImage};
    }
    if (whiteToTransparent)
        chosen = {QStringLiteral("png"), pngOf(withoutWhite(image)), {}};
    return chosen;
}

QImage render(const QString& kind, const QByteArray& bytes, int longSidePixels)
{
    if (bytes.size() > LargestFile)
        return {};
    if (kind == QLatin1String("png") && isPng(bytes))
        return readPng(bytes);
    if (kind == QLatin1String("svg"))
        return renderSvg(bytes, longSidePixels);
    return {};
}

} // namespace SealImage
