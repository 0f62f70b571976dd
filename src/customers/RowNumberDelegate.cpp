#include "customers/RowNumberDelegate.h"

#include "app/SetImeStatus.h"
#include "messages/ShowMsg.h"
#include "ui/AmountText.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QWidget* RowNumberDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignCenter);
    // Digits (half- or full-width) and commas only; the range is checked when the value is stored.
    editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9０-９,，]{0,8}")), editor));
    SetImeStatus(editor, 0);
    return editor;
}

void RowNumberDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant value = index.data(Qt::EditRole);
    static_cast<QLineEdit*>(editor)->setText(value.isNull() ? QString() : value.toString());
}

void RowNumberDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    qint64 number = 0;
    if (!AmountText::parse(static_cast<QLineEdit*>(editor)->text(), &number) || number < 1 || number > Maximum) {
        ShowMsg(QStringLiteral("入力"), QStringLiteral("範囲外"), QStringLiteral("行番号（1～99,999）"));
        return;
    }
    model->setData(index, number, Qt::EditRole);
}
