#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <optional>

// 自社情報 on MainDb: the program only ever works on its first row.
namespace CompanyTable {
// The first row, or nothing when the table is empty. `ok` is false when the read failed.
std::optional<CompanySettingsRecord> readFirst(bool* ok = nullptr);
// Writes all four fields into the first row, adding the row when there is none.
StoreResult writeFirst(const CompanySettingsRecord& record);
// Stores `number` as the last receipt number unless the stored one is already as high;
// adds the row (other fields Null) when there is none. Never lowers the number.
StoreResult raiseReceiptNumber(qint64 number, bool* changed = nullptr);
// Issues `count` numbers in one transaction: from `first` on, or from one past the stored last
// number when that has reached `first` meanwhile (another run issued them), and stores the
// last one issued. Numbers already in the register count as issued. The register entries of
// the run are added in the same transaction, numbered from the first one issued: the counter
// and the register never disagree. `issuedFirst` receives the first number issued.
StoreResult issueReceiptNumbers(qint64 first, qint64 count, qint64* issuedFirst,
                                QList<RegisterEntry> entries = {}, QList<qint64>* recordedIds = nullptr);
} // namespace CompanyTable
