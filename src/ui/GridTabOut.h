#pragma once
class QTableView;

// Tab and Shift+Tab (with or without Ctrl) leave `grid` for the next or previous control of
// the window's tab order, from the grid itself or from an open cell editor, whose edit is
// committed first. Arrow keys and Enter keep moving inside the grid.
namespace GridTabOut {
void install(QTableView* grid);
}
