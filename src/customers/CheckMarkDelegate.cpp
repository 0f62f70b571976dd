#include "customers/CheckMarkDelegate.h"

#include "store/Records.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

void CheckMarkDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The cell's own value (-1 or 0) is not shown: drawn as text, its first pixel column peeked
    // out left of the box. The style draws only the cell's background and focus.
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    background.features &= ~QStyleOptionViewItem::HasDisplay;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    const QRect box(option.rect.center().x() - BoxSize / 2, option.rect.center().y() - BoxSize / 2, BoxSize - 1,
                    BoxSize - 1);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter->setBrush(Qt::white);
    painter->drawRect(box);
    if (index.data(Qt::EditRole).toInt() != 0) {
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(QPen(QColor(0x00, 0x40, 0x40), 2));
        painter->drawLine(box.topLeft() + QPoint(3, 3), box.bottomRight() - QPoint(3, 3));
        painter->drawLine(box.topRight() + QPoint(-3, 3), box.bottomLeft() + QPoint(3, -3));
    }
    painter->restore();
}

bool CheckMarkDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                    const QModelIndex& index)
{
    const bool click = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                       option.rect.contains(static_cast<QMouseEvent*>(event)->position().toPoint());
    const bool space = event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    if (!click && !space)
        return event->type() == QEvent::MouseButtonDblClick; // no editor to open
    const bool checked = index.data(Qt::EditRole).toInt() != 0;
    return model->setData(index, checked ? NoValue : YesValue, Qt::EditRole);
}
