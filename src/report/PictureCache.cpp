#include "report/PictureCache.h"

#include "report/ReportLayout.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace {

// Draws the artwork into `target`, stretching only its stretchable spans horizontally and
// everything else by the target's height.
void renderSliced(QSvgRenderer& renderer, QPainter& painter, const QRectF& target,
                  const QList<QPair<qreal, qreal>>& spans)
{
    const QRectF view = renderer.viewBoxF();
    const qreal scale = target.height() / view.height();
    qreal fixedWidth = view.width();
    for (const auto& span : spans)
        fixedWidth -= span.second - span.first;
    const qreal stretchWidth = view.width() - fixedWidth;
    const qreal extra = target.width() - fixedWidth * scale;
    if (spans.isEmpty() || stretchWidth <= 0 || extra < stretchWidth * scale) {
        renderer.render(&painter, target); // narrower than the artwork: plain stretch
        return;
    }
    const qreal stretchScale = extra / stretchWidth;
    // Cut the artwork at the span ends and lay the pieces side by side.
    QList<QPair<qreal, bool>> cuts; // piece start, piece stretches
    qreal at = view.left();
    for (const auto& span : spans) {
        if (span.first > at)
            cuts.append({at, false});
        cuts.append({span.first, true});
        at = span.second;
    }
    if (at < view.right())
        cuts.append({at, false});
    qreal x = target.left();
    for (int i = 0; i < cuts.size(); ++i) {
        const qreal from = cuts.at(i).first;
        const qreal to = i + 1 < cuts.size() ? cuts.at(i + 1).first : view.right();
        const qreal width = (to - from) * (cuts.at(i).second ? stretchScale : scale);
        // Pieces overlap by a hair so that no seam shows between them.
        const QRectF piece(x, target.top(), width + (i + 1 < cuts.size() ? 0.75 : 0), target.height());
        const qreal pieceViewWidth = (to - from) * piece.width() / width;
        renderer.setViewBox(QRectF(from, view.top(), pieceViewWidth, view.height()));
        painter.save();
        painter.setClipRect(piece);
        renderer.render(&painter, piece);
        painter.restore();
        x += width;
    }
    renderer.setViewBox(view);
}

} // namespace

QSizeF PictureCache::naturalSize(const QString& path)
{
    QSvgRenderer renderer(path);
    return renderer.isValid() ? renderer.viewBoxF().size() : QSizeF();
}

QRectF PictureCache::placement(const ReportPicture& picture, const QRectF& box)
{
    if (picture.scaling == PictureScaling::Stretch)
        return box;
    const QSizeF natural = naturalSize(picture.path);
    if (natural.isEmpty())
        return box;
    const QSizeF fitted = natural.scaled(box.size(), Qt::KeepAspectRatio);
    return QRectF(box.center() - QPointF(fitted.width() / 2, fitted.height() / 2), fitted);
}

const PictureCache::Placed& PictureCache::get(const ReportPicture& picture, const QSize& boxTwips)
{
    const QString key = picture.path + QLatin1Char('@') + QString::number(boxTwips.width()) + QLatin1Char('x') +
                        QString::number(boxTwips.height());
    auto found = images_.find(key);
    if (found != images_.end())
        return *found;
    QRectF placed = placement(picture, QRectF(QPointF(0, 0), boxTwips));
    const QSize pixels(std::max(1, int(std::lround(placed.width() * DotsPerInch / 1440.0))),
                       std::max(1, int(std::lround(placed.height() * DotsPerInch / 1440.0))));
    if (picture.scaling == PictureScaling::Fit) {
        // Whole pixels at exactly the print resolution, on whole twips: the same few
        // numbers then place the picture on every receipt, which a PDF stores compactly.
        const QSizeF size(pixels.width() * 1440.0 / DotsPerInch, pixels.height() * 1440.0 / DotsPerInch);
        placed = QRectF(QPointF(std::round(placed.center().x() - size.width() / 2),
                                std::round(placed.center().y() - size.height() / 2)),
                        size);
    }
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(picture.path);
    if (renderer.isValid()) {
        renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF target(QPointF(0, 0), QSizeF(pixels));
        if (picture.scaling == PictureScaling::Stretch)
            renderSliced(renderer, painter, target, picture.stretchSpans);
        else
            renderer.render(&painter, target);
    }
    // Opaque artwork is stored without alpha: a PDF can then compress it as a photo.
    bool opaque = true;
    for (int y = 0; y < image.height() && opaque; ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width() && opaque; ++x)
            opaque = qAlpha(line[x]) == 255;
    }
    if (opaque)
        image = image.convertToFormat(QImage::Format_RGB32);
    return *images_.insert(key, Placed{image, placed});
}

void PictureCache::prepare(const ReportLayout& layout)
{
    for (const ReportControl& control : layout.controls)
        if (control.kind == ControlKind::Picture && control.picture.image.isNull())
            get(control.picture, control.box.size());
}
