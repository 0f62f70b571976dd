#pragma once
#include "store/SavedVersions.h"
#include "store/StoreResult.h"

#include <optional>

// w保存版 on WorkDb: for each kind of unit (customer list, code list, settings), the unit this
// computer's screen was loaded from and the version it had then (see SavedVersions). The work
// file is this computer's own, so what it keeps belongs to this screen alone.
namespace LoadedVersions {
// The screen now holds `unit` as registered at `version`.
StoreResult keep(const SavedVersions::Unit& unit, qint64 version);
// The screen holds no registered unit of `kind` (it was emptied).
StoreResult forget(const QString& kind);
// The version `unit` had when the screen loaded it; nothing when the screen holds another unit
// of its kind or none, so that saving it replaces the unit on purpose. `ok` is false when the
// work file cannot be read.
std::optional<qint64> of(const SavedVersions::Unit& unit, bool* ok);
} // namespace LoadedVersions
