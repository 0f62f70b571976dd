#pragma once
#include "store/StoreResult.h"

#include <QStringList>

// w但書 on WorkDb: the stock provisos offered in the customer grid.
namespace ProvisoTable {
StoreResult rebuild(const QStringList& provisos);
QStringList entries(bool* ok = nullptr);
} // namespace ProvisoTable
