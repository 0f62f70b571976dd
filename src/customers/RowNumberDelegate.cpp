#include "customers/RowNumberDelegate.h"

#include "domain/AmountText.h"
#include "messages/ShowMsg.h"
#include "ui/SetImeStatus.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>

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

void RowNumberDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    GridColumnDelegate::initStyleOption(option, index);
    option->textElideMode = Qt::ElideNone;
    if (option->rect.width() <= 0 || option->text.isEmpty())
        return; // measuring, not drawing
    // The style keeps a focus-frame margin plus one pixel clear on each side of a cell's text.
    const QStyle* style = option->widget ? option->widget->style() : QApplication::style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option->widget) + 1;
    const int room = option->rect.width() - 2 * margin;
    QFont font = option->font;
    const qreal smallest = font.pointSizeF() / 2;
    while (font.pointSizeF() - 0.5 >= smallest && QFontMetrics(font).horizontalAdvance(option->text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    option->font = font;
    option->fontMetrics = QFontMetrics(font);
}
