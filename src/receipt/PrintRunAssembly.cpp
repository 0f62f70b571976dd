#include "receipt/PrintRunAssembly.h"

#include "receipt/ReceiptRun.h"
#include "receipt/StampNotice.h"
#include "receipt/SealStamp.h"
#include "store/CustomerWorkTable.h"
#include "store/PrintRowTable.h"

namespace PrintRunAssembly {

namespace {
void build(PrintRequest request, const PrintRowSource& rows, std::shared_ptr<ReportRun>* run)
{
    SealStamp::takeStored(request);
    *run = ReceiptRun::build(request, rows);
}

const QString unreadable = QStringLiteral("顧客リストを読み込めません。");
} // namespace

StoreResult listRun(const PrintRequest& request, std::shared_ptr<ReportRun>* run, QString* stamps, QStringList* addresses)
{
    if (addresses) {
        bool read = false;
        *addresses = CustomerWorkTable::checkedAddresses(&read);
        if (!read)
            return StoreResult::failure(unreadable);
    }
    // Recorded first, then read back from the record a window at a time: the run's rows are
    // never held whole beside the formatted receipts.
    if (const StoreResult recorded = PrintRowTable::replaceWithMarkedCustomers(); !recorded)
        return recorded;
    PrintRowTable::Reader rows;
    if (stamps)
        *stamps = StampNotice::of(request, rows.source());
    build(request, rows.source(), run);
    if (!rows.ok()) {
        run->reset();
        return StoreResult::failure(unreadable);
    }
    return StoreResult::success();
}

StoreResult blankRun(PrintRequest request, std::shared_ptr<ReportRun>* run)
{
    request.PrintNumberFlag = false;
    const QList<PrintRow> rows(qMax<qint64>(request.PrintCopies, 0), PrintRow{});
    if (const StoreResult recorded = PrintRowTable::replace(rows); !recorded)
        return recorded;
    build(request, rows, run);
    return StoreResult::success();
}

} // namespace PrintRunAssembly
