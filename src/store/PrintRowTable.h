#pragma once
#include "store/Records.h"
#include "store/SqlRunner.h"
#include "store/StoreResult.h"

#include <QList>

// w領収証印刷 on WorkDb: one row per receipt of the current print run, in print order.
namespace PrintRowTable {
StoreResult replace(const QList<PrintRow>& rows);
// The marked rows of w顧客マスタ, as CustomerWorkTable::checkedRows takes them, become the run,
// copied within the work file. All or nothing.
StoreResult replaceWithMarkedCustomers();
QList<PrintRow> rows(bool* ok = nullptr);

// The run's rows read a window at a time, any row on demand and fastest in order.
class Reader {
public:
    Reader();
    // False when the table could not be read; a row that cannot be read then comes back empty.
    bool ok() const { return ok_; }
    qsizetype count() const { return count_; }
    PrintRow at(qsizetype row);
    // The rows as a source that reads through this reader, which must outlive it.
    PrintRowSource source();

private:
    static constexpr qsizetype Window = 1024;
    SqlRunner sql_;
    bool ok_ = false;
    qsizetype count_ = 0;
    qsizetype first_ = 0;   // the row window_ starts at
    qint64 lastId_ = 0;     // the id of the window's last row
    QList<PrintRow> window_;
};
} // namespace PrintRowTable
