#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>

// wコードマスタ on WorkDb: the code list the code grid edits.
namespace CodeWorkTable {
inline constexpr int Rows = 30;

// Empties the table and writes 30 rows "01" … "30" with empty names, then lays `loaded`
// over them from the first row on (code and name copied; rows past the 30th dropped).
StoreResult rebuild(const QList<CodeRecord>& loaded = {});
// The rows in code order.
QList<CodeRecord> rows(bool* ok = nullptr);
} // namespace CodeWorkTable
