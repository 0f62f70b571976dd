#pragma once
#include <QHeaderView>

// The grids' row-selector column: a narrow blank button per row, the current row marked
// with a small triangle instead of repeating a row number.
class RowSelectorHeader : public QHeaderView {
public:
    explicit RowSelectorHeader(QWidget* parent = nullptr);
    // The grid hands its selection model on; the mark follows the current row.
    void setSelectionModel(QItemSelectionModel* selectionModel) override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
