#include "ui/RowSelectorHeader.h"

#include <QPainter>

RowSelectorHeader::RowSelectorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setHighlightSections(false);
}

void RowSelectorHeader::setSelectionModel(QItemSelectionModel* selectionModel)
{
    QHeaderView::setSelectionModel(selectionModel);
    if (selectionModel)
        connect(selectionModel, &QItemSelectionModel::currentRowChanged, viewport(), [this] { viewport()->update(); });
}

void RowSelectorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    option.text.clear();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);

    if (!selectionModel() || selectionModel()->currentIndex().row() != logicalIndex)
        return;
    const int size = std::min(rect.height() / 2, 8);
    const QPoint centre = rect.center();
    const QPolygon triangle({QPoint(centre.x() - size / 2, centre.y() - size / 2),
                             QPoint(centre.x() + size / 2, centre.y()),
                             QPoint(centre.x() - size / 2, centre.y() + size / 2)});
    painter->save();
    painter->setClipRect(rect); // the header style leaves an empty clip behind
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(palette().color(QPalette::WindowText));
    painter->drawPolygon(triangle);
    painter->restore();
}
