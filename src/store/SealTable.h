#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QSqlDatabase>

#include <optional>

// 印影: the issuer's seal, one row at most.
namespace SealTable {
// The stored seal, or nothing when none is set. `ok` is false when the read failed.
std::optional<SealRecord> read(QSqlDatabase db, bool* ok = nullptr);
// Makes `seal` the stored one (nothing: no seal). Run inside the caller's transaction.
StoreResult write(QSqlDatabase db, const std::optional<SealRecord>& seal);
} // namespace SealTable
