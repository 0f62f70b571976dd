#pragma once
#include <functional>

class QComboBox;
class QSqlTableModel;
class QTableView;

// The code master editor of the settings page: the category box cmbコード区分 and the grid
// Gridコード表 on the work table wコードマスタ (data control datコードマスタ).
namespace CodeEditor {
struct Panel {
    QComboBox* kind = nullptr;       // cmbコード区分
    QTableView* grid = nullptr;      // Gridコード表
    QSqlTableModel* model = nullptr; // datコードマスタ, made at start-up
};
// 30 blank rows "01" … "30" in the work table, shown in the grid.
void clearDetail(const Panel& panel);
// The category shown in the box, laid over blank rows and shown in the grid.
void read(const Panel& panel);
// Saves the grid's rows as the category's 30 master rows, all or nothing. Without a category
// it warns and puts the focus in the category box. False when nothing was saved.
bool entry(const Panel& panel);
// Writes the cell being edited into the work table. False when it could not be stored.
bool commitPendingEdit(const Panel& panel);
// The category box's focus rule: leaving it calls `onLeave` (which rereads the grid).
void attach(QComboBox* kind, std::function<void()> onLeave);
// The grid's Japanese-input rule: on in the name column only. Call once the grid has its model.
void followGrid(const Panel& panel);
} // namespace CodeEditor
