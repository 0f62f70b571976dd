#include "customers/TextCellDelegate.h"

#include "ui/SetImeStatus.h"
#include "store/Records.h"
#include "ui/BrokenText.h"
#include "ui/TextLimit.h"

#include <QComboBox>
#include <QLineEdit>

QWidget* TextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    QWidget* editor = nullptr;
    if (choices_) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("ProvisoEditor")); // the stock provisos come from DD但書's table
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(choices_());
        combo->setCompleter(nullptr); // a stock text is chosen from the list, not forced on typing
        TextLimit::guard(combo->lineEdit());
        editor = combo;
    } else {
        auto* line = new QLineEdit(parent);
        TextLimit::guard(line);
        editor = line;
    }
    SetImeStatus(editor, 1);
    return editor;
}

void TextCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->setEditText(text);
    else
        static_cast<QLineEdit*>(editor)->setText(text);
}

void TextCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const auto* combo = qobject_cast<QComboBox*>(editor);
    const QString text = combo ? combo->currentText() : static_cast<QLineEdit*>(editor)->text();
    if (text.isEmpty() && index.data(Qt::EditRole).isNull())
        return; // nothing typed into a blank cell
    if (BrokenText::refuse(text))
        return;
    if (!model->setData(index, text.isEmpty() ? QVariant() : QVariant(text), Qt::EditRole))
        return;
    if (text.isEmpty() && markColumn_ >= 0)
        model->setData(index.siblingAtColumn(markColumn_), NoValue, Qt::EditRole);
}
