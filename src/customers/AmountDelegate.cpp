#include "customers/AmountDelegate.h"

#include "domain/AmountText.h"
#include "messages/ShowMsg.h"
#include "ui/SetImeStatus.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

QString AmountDelegate::displayText(const QVariant& value, const QLocale&) const
{
    if (value.isNull() || value.toString().isEmpty())
        return {};
    return AmountText::thousands(value.toLongLong());
}

void AmountDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}

QWidget* AmountDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Digits (half- or full-width) and commas only; the range is checked when the value is stored.
    editor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9０-９,，]{0,16}")), editor));
    SetImeStatus(editor, 0);
    return editor;
}

void AmountDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QVariant value = index.data(Qt::EditRole);
    static_cast<QLineEdit*>(editor)->setText(value.isNull() ? QString() : QString::number(value.toLongLong()));
}

void AmountDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString text = static_cast<QLineEdit*>(editor)->text().trimmed();
    if (text.isEmpty()) {
        model->setData(index, QVariant(), Qt::EditRole);
        return;
    }
    qint64 amount = 0;
    if (!AmountText::parseReceiptAmount(text, &amount)) {
        ShowMsg(QStringLiteral("入力"), QStringLiteral("範囲外"), QStringLiteral("領収額（0～9,999,999,999円）"));
        return;
    }
    model->setData(index, amount, Qt::EditRole);
}
