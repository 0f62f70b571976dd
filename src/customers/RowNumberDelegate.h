#pragma once
#include "ui/GridColumnDelegate.h"

// Row-number cells of the customer grid: the number decides the order of the print run, so
// only whole numbers from 1 to 99,999 are stored; anything else is refused with a message
// and the cell keeps its number. A number wider than the narrow column is drawn whole in a
// smaller font, never cut short.
class RowNumberDelegate : public GridColumnDelegate {
public:
    static constexpr qint64 Maximum = 99'999;

    explicit RowNumberDelegate(QObject* parent) : GridColumnDelegate(Qt::AlignHCenter, parent) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
