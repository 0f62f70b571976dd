#pragma once
#include "store/CustomerMasterTable.h"
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>
#include <QStringList>
#include <QVariant>

// w顧客マスタ on WorkDb: the customer list the grid edits.
namespace CustomerWorkTable {
inline constexpr int BlankRows = 100;

// Empties the table and writes `named` into rows 1, 2, … followed by blank rows, so that the
// table holds max(BlankRows, named.size()) rows numbered from 1, each with its usual amount;
// `amounts`, when given, fill 領収額 of the rows from the top instead. All or nothing.
StoreResult rebuild(const QList<CustomerRecord>& named = {}, const QVariantList& amounts = {});
// The same with the named customers `master` reads (rows without a name are left out), written
// as they are read; a master that cannot be read to its end leaves the table as it was.
StoreResult rebuild(CustomerMasterTable::CategoryRows& master, const QVariantList& amounts = {});
// Every row in stored order.
QList<CustomerWorkRow> rows(bool* ok = nullptr);
// Sets or clears the mark of every named row (顧客名 not Null).
StoreResult setChecks(bool checked);
// Marked rows that carry a name (not Null, not empty) in 行番号 order, for a print run: a
// receipt without a name is never printed.
QList<CustomerWorkRow> checkedRows(bool* ok = nullptr);
// The WHERE and ORDER BY of checkedRows, for a statement on w顧客マスタ.
QString checkedCondition();
// The e-mail address of each of those rows, in their order (empty for none).
QStringList checkedAddresses(bool* ok = nullptr);
} // namespace CustomerWorkTable
