#pragma once
class QWidget;

// The code master editor of the settings page: the category box cmbコード区分 and the grid
// Gridコード表 on the work table wコードマスタ (data control datコードマスタ).
namespace CodeEditor {
// 30 blank rows "01" … "30" in the work table, shown in the grid.
void clearDetail(QWidget* window);
// The category shown in the box, laid over blank rows and shown in the grid.
void read(QWidget* window);
// Saves the grid's rows as the category's 30 master rows, all or nothing. Without a category
// it warns and puts the focus in the category box. False when nothing was saved.
bool entry(QWidget* window);
// Writes the cell being edited into the work table. False when it could not be stored.
bool commitPendingEdit(QWidget* window);
// The category box's focus rule: leaving it rereads the grid.
void attach(QWidget* window);
// The grid's Japanese-input rule: on in the name column only. Call once the grid has its model.
void followGrid(QWidget* window);
} // namespace CodeEditor
