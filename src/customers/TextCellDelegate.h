#pragma once
#include <QStyledItemDelegate>

// Name and proviso cells: Japanese input on while editing. An emptied cell stores Null, so an
// erased name makes the row blank again (not saved, marked or printed).
// `choices`, when set, offers stock texts in a drop-down while free typing stays possible.
class TextCellDelegate : public QStyledItemDelegate {
public:
    using Choices = QStringList (*)();
    explicit TextCellDelegate(Choices choices, QObject* parent = nullptr)
        : QStyledItemDelegate(parent), choices_(choices)
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    Choices choices_;
};
