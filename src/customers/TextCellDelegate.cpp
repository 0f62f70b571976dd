#include "customers/TextCellDelegate.h"

#include "app/SetImeStatus.h"
#include "ui/BrokenText.h"

#include <QComboBox>
#include <QLineEdit>

QWidget* TextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    QWidget* editor = nullptr;
    if (choices_) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("DD但書"));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(choices_());
        editor = combo;
    } else {
        editor = new QLineEdit(parent);
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
    model->setData(index, text.isEmpty() ? QVariant() : QVariant(text), Qt::EditRole);
}
