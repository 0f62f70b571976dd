#include "ui/RowSelectorHeader.h"

#include <QPainter>
#include <QPainterPath>

RowSelectorHeader::RowSelectorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setFixedWidth(16);
    setHighlightSections(false);
}

QSize RowSelectorHeader::sizeHint() const { return QSize(width(), defaultSectionSize()); }

void RowSelectorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text.clear();
    // The style puts back the clip it found as a region, and "no clip" comes back as an empty
    // one that hides everything drawn after it: keep the painter's own state around it.
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    if (!selectionModel() || selectionModel()->currentIndex().row() != logicalIndex)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QPointF centre = QRectF(rect).center();
    QPainterPath arrow;
    arrow.moveTo(centre + QPointF(-3, -4));
    arrow.lineTo(centre + QPointF(3, 0));
    arrow.lineTo(centre + QPointF(-3, 4));
    arrow.closeSubpath();
    painter->fillPath(arrow, palette().color(QPalette::ButtonText));
    painter->restore();
}

void RowSelectorHeader::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QHeaderView::currentChanged(current, previous);
    viewport()->update();
}
