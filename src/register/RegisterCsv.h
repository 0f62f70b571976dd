#pragma once
#include "store/RegisterTable.h"

#include <QByteArray>

// The register's entries as a CSV file for a spreadsheet: the window's columns in its order,
// with its Japanese headers, numbers and amounts as plain numbers.
namespace RegisterCsv {
// Nothing when the register could not be read.
std::optional<QByteArray> document(const RegisterTable::Filter& filter, int sortColumn, Qt::SortOrder order);
}
