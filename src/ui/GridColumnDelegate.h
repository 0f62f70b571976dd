#pragma once
#include <QStyledItemDelegate>

// One grid column's look: alignment, and a lock that keeps the column from being edited.
class GridColumnDelegate : public QStyledItemDelegate {
public:
    GridColumnDelegate(Qt::Alignment alignment, QObject* parent);

    void setLocked(bool on) { locked_ = on; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Qt::Alignment alignment_;
    bool locked_ = false;
};
