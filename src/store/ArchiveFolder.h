#pragma once
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

// 保存先: the folder chosen once for the kept PDF files, stored with the main data so that every
// computer of a shared data set keeps its files in the same place (a network folder mounted
// alike on each). None chosen: each data folder keeps its own.
namespace ArchiveFolder {
// The chosen folder, empty when none was chosen; nothing when it cannot be read.
std::optional<QString> read(QSqlDatabase db);
// Sets the chosen folder (empty: back to the data folder's own).
StoreResult write(QSqlDatabase db, const QString& folder);
} // namespace ArchiveFolder
