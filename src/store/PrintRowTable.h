#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>

// w領収証印刷 on WorkDb: one row per receipt of the current print run, in print order.
namespace PrintRowTable {
StoreResult replace(const QList<PrintRow>& rows);
QList<PrintRow> rows(bool* ok = nullptr);
} // namespace PrintRowTable
