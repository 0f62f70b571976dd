#pragma once

class QComboBox;
class QTableView;

// The default tax class of a customer category, beside the code list: while the code list shows
// the customer categories, the box shows the class of the category in the grid's current row, and
// choosing another stores it at once.
namespace CategoryTaxDefault {
struct Panel {
    QComboBox* kind = nullptr;     // cmbコード区分
    QTableView* grid = nullptr;    // Gridコード表
    QComboBox* taxClass = nullptr; // cmb既定税区分: ConsumptionTax::labels()
};
// Follows the grid's current row; call once the grid has its model.
void attach(const Panel& panel);
// Shows the class of the current row's category (off when there is none).
void show(const Panel& panel);
} // namespace CategoryTaxDefault
