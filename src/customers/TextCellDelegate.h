#pragma once
#include <QStyledItemDelegate>

// Name and proviso cells: Japanese input on while editing. An emptied cell stores Null, so an
// erased name makes the row blank again (not saved, marked or printed): the row's mark in
// `markColumn`, when set, is cleared with it.
// `choices`, when set, offers stock texts in a drop-down; typed text is kept as typed, never
// completed from them.
class TextCellDelegate : public QStyledItemDelegate {
public:
    using Choices = QStringList (*)();
    explicit TextCellDelegate(Choices choices, QObject* parent = nullptr, int markColumn = -1)
        : QStyledItemDelegate(parent), choices_(choices), markColumn_(markColumn)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Choices choices_;
    int markColumn_;
};
