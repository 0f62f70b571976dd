#pragma once
#include <QStyledItemDelegate>

// Amount cells: whole yen from 0 to 9,999,999,999, shown "#,###", right-aligned.
// An emptied cell stores Null; anything else is refused with a message and not stored.
class AmountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};
