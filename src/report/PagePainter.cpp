#include "report/PagePainter.h"

#include <QPaintDevice>
#include <QPainter>

namespace {
constexpr int LineWidth = 12; // twips, a fine printed rule
} // namespace

void PagePainter::useTwips(QPainter& painter)
{
    const QPaintDevice* device = painter.device();
    painter.scale(device->logicalDpiX() / 1440.0, device->logicalDpiY() / 1440.0);
}

void PagePainter::paintLine(QPainter& painter, const PageItem& item)
{
    QPen pen(item.control->colour, LineWidth);
    pen.setCapStyle(Qt::FlatCap);
    switch (item.control->lineStyle) {
    case LineStyle::Solid:
        break;
    case LineStyle::Dotted:
        pen.setDashPattern({1.5, 3});
        break;
    case LineStyle::DashDotDot:
        pen.setDashPattern({14, 4, 1.5, 4, 1.5, 4});
        break;
    }
    painter.setPen(pen);
    painter.drawLine(item.line);
}

void PagePainter::paintFramed(QPainter& painter, const PageItem& item)
{
    text_.flush(painter);
    QPen pen(item.control->colour, LineWidth);
    pen.setDashPattern({12, 6});
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(item.box);
    // The caption on one line across the middle of the frame.
    PageItem caption = item;
    const int lineHeight = int(item.control->fontPt * 20 * 1.4);
    caption.box = QRect(item.box.left(), item.box.center().y() - lineHeight / 2, item.box.width(), lineHeight);
    text_.paint(painter, caption);
}

void PagePainter::paintPicture(QPainter& painter, const PageItem& item)
{
    if (const QImage& given = item.control->picture.image; !given.isNull()) {
        painter.drawImage(QRectF(item.box), given);
        return;
    }
    const PictureCache::Placed& placed = pictures_->get(item.control->picture, item.box.size());
    if (placed.image.isNull())
        return;
    painter.drawImage(placed.area.translated(item.box.topLeft()), placed.image);
}

namespace {
// The item as seen from its cell's top-left corner.
PageItem inCell(const PageItem& item)
{
    PageItem local = item;
    const QPoint offset = -item.cell.topLeft();
    local.cell.translate(offset);
    local.box.translate(offset);
    local.line.translate(offset);
    return local;
}
} // namespace

void PagePainter::paint(QPainter& painter, const ReportPage& page)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setBackgroundMode(Qt::TransparentMode);
    // Every receipt is drawn in its own cell's coordinates, moved into place by the painter:
    // a PDF then repeats the same drawing for every receipt, which it compresses to little.
    const QTransform onPage = painter.transform();
    QRect cell;
    for (const PageItem& pageItem : page.items) {
        if (pageItem.cell != cell) {
            text_.flush(painter);
            cell = pageItem.cell;
            painter.setTransform(QTransform::fromTranslate(cell.left(), cell.top()) * onPage);
        }
        const PageItem item = inCell(pageItem);
        switch (item.kind()) {
        case ControlKind::Label:
        case ControlKind::Field:
            if (item.control->framed && !item.text.isEmpty())
                paintFramed(painter, item);
            else
                text_.paint(painter, item);
            break;
        case ControlKind::Line:
            text_.flush(painter); // keep the drawing order between texts and the rest
            paintLine(painter, item);
            break;
        case ControlKind::Picture:
            text_.flush(painter);
            paintPicture(painter, item);
            break;
        }
    }
    text_.flush(painter);
    painter.setTransform(onPage);
}
