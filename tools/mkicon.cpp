// Build step: renders an SVG picture, either square at SIZE pixels as PNG (the icon theme's
// sizes) or at a multiple of the picture's own size ("2x") as raw pixels (".argb": the
// program's own pictures, which it then shows without decoding anything; see app/AppArt).
#include "app/AppArt.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

bool saveRaw(const QImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const quint32 header[3] = {AppArt::RawMagic, quint32(image.width()), quint32(image.height())};
    file.write(reinterpret_cast<const char*>(header), sizeof header);
    for (int y = 0; y < image.height(); ++y)
        file.write(reinterpret_cast<const char*>(image.constScanLine(y)), qsizetype(image.width()) * 4);
    return file.flush() && file.error() == QFileDevice::NoError;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        QTextStream(stderr) << "usage: ledrium_mkicon PICTURE.svg SIZE|FACTORx OUT.png|OUT.argb\n";
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid())
        return 1;
    QString size = QString::fromLocal8Bit(argv[2]);
    QSize pixels;
    if (size.endsWith(QLatin1Char('x'))) {
        size.chop(1);
        pixels = renderer.defaultSize() * size.toInt();
    } else {
        pixels = QSize(size.toInt(), size.toInt());
    }
    if (pixels.isEmpty())
        return 1;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString out = QString::fromLocal8Bit(argv[3]);
    if (out.endsWith(QLatin1String(".argb")))
        return saveRaw(image, out) ? 0 : 1;
    return image.save(out) ? 0 : 1;
}
