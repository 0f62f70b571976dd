#include "ui/GridColumnDelegate.h"

#include "ui/BrokenText.h"
#include "ui/TextLimit.h"

#include <QLineEdit>

#include <QMetaProperty>

GridColumnDelegate::GridColumnDelegate(Qt::Alignment alignment, QObject* parent)
    : QStyledItemDelegate(parent), alignment_(alignment)
{
}

QWidget* GridColumnDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                          const QModelIndex& index) const
{
    if (locked_)
        return nullptr;
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    // The editor takes Japanese input as its grid allows it for the current column.
    if (editor && parent)
        editor->setAttribute(Qt::WA_InputMethodEnabled, parent->testAttribute(Qt::WA_InputMethodEnabled));
    TextLimit::guard(qobject_cast<QLineEdit*>(editor));
    return editor;
}

void GridColumnDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QMetaProperty user = editor->metaObject()->userProperty();
    if (user.isValid() && BrokenText::refuse(editor->property(user.name()).toString()))
        return;
    QStyledItemDelegate::setModelData(editor, model, index);
}

void GridColumnDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = alignment_ | Qt::AlignVCenter;
}
