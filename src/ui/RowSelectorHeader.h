#pragma once
#include <QHeaderView>

// The grid's row-selector column: blank buttons, the current row marked with an arrow.
class RowSelectorHeader : public QHeaderView {
public:
    explicit RowSelectorHeader(QWidget* parent = nullptr);
    // Its width is fixed and it shows no text: nothing to measure row by row.
    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
