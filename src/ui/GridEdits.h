#pragma once
class QAbstractItemView;

namespace GridEdits {
// Writes the cell being edited in `grid` into its model and closes the editor, then submits
// what the model still holds back. False when the edit could not be stored.
bool commitPending(QAbstractItemView* grid);
} // namespace GridEdits
