#include "app/AppArt.h"

#include <QPixmap>
#include <QResource>

#include <cstring>

namespace AppArt {

QImage image(const QString& name, qreal devicePixelRatio)
{
    const bool twice = devicePixelRatio > 1.0;
    const QResource resource(QStringLiteral(":/app/art/%1%2.argb").arg(name, twice ? QStringLiteral("@2x") : QString()));
    quint32 header[3] = {};
    const qint64 size = resource.size();
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        size < qint64(sizeof header))
        return QImage();
    std::memcpy(header, resource.data(), sizeof header);
    if (header[0] != RawMagic || header[1] == 0 || header[2] == 0 ||
        size != qint64(sizeof header) + qint64(header[1]) * header[2] * 4)
        return QImage();
    const uchar* first = resource.data() + sizeof header;
    QImage pixels(first, int(header[1]), int(header[2]), int(header[1]) * 4, QImage::Format_ARGB32_Premultiplied);
    if (quintptr(first) % alignof(quint32) != 0) // pixels are read as whole words
        pixels = pixels.copy();
    pixels.setDevicePixelRatio(twice ? 2 : 1);
    return pixels;
}

QIcon icon(const QString& name, qreal devicePixelRatio)
{
    return QIcon(QPixmap::fromImage(image(name, devicePixelRatio)));
}

} // namespace AppArt
