#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <functional>
#include <optional>

// 自社情報 on MainDb: the program only ever works on its first row.
namespace CompanyTable {
// The first row, or nothing when the table is empty. `ok` is false when the read failed.
std::optional<CompanySettingsRecord> readFirst(bool* ok = nullptr);
// Writes all its fields into the first row, adding the row when there is none, and raises the
// settings' saved version; refused when that is no longer `loaded` (see SavedVersions::save).
// `alsoWrite`, when given, writes the rest of the settings in the same transaction.
StoreResult writeFirst(const CompanySettingsRecord& record, std::optional<qint64> loaded = std::nullopt,
                       qint64* saved = nullptr, const std::function<StoreResult()>& alsoWrite = {});
// Raises the receipt-number counter to `number` (see ReceiptNumbers::raise).
StoreResult raiseReceiptNumber(qint64 number, bool* changed = nullptr);
} // namespace CompanyTable
