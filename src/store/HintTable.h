#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>

// ClHint on WorkDb: one hint text per (window, control).
namespace HintTable {
// Every row of the key, first stored first.
QList<HintRecord> read(const QString& formName, const QString& ctlName, bool* ok = nullptr);
// Deletes every row of the key and inserts `record`, all or nothing.
StoreResult replace(const HintRecord& record);
// Deletes every row of the key.
StoreResult remove(const QString& formName, const QString& ctlName);
} // namespace HintTable
