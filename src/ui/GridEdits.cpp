#include "ui/GridEdits.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QSqlTableModel>

namespace GridEdits {

bool commitPending(QAbstractItemView* grid)
{
    if (!grid)
        return true;
    // Cell editors are the viewport's own children; commitData and closeEditor are the view's
    // slots for exactly this hand-over.
    for (QWidget* editor : grid->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!editor->isVisible())
            continue;
        QMetaObject::invokeMethod(grid, "commitData", Q_ARG(QWidget*, editor));
        QMetaObject::invokeMethod(grid, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
    }
    auto* table = qobject_cast<QSqlTableModel*>(grid->model());
    if (table && table->isDirty())
        return table->submitAll();
    return true;
}

} // namespace GridEdits
