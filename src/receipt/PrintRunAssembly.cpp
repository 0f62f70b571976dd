#include "receipt/PrintRunAssembly.h"

#include "receipt/ReceiptRun.h"
#include "receipt/StampNotice.h"
#include "receipt/SealStamp.h"
#include "store/CustomerWorkTable.h"
#include "store/PrintRowTable.h"

namespace PrintRunAssembly {

namespace {
StoreResult recordAndBuild(PrintRequest request, const QList<PrintRow>& rows, std::shared_ptr<ReportRun>* run)
{
    const StoreResult recorded = PrintRowTable::replace(rows);
    SealStamp::takeStored(request);
    if (recorded)
        *run = ReceiptRun::build(request, rows);
    return recorded;
}
} // namespace

StoreResult listRun(const PrintRequest& request, std::shared_ptr<ReportRun>* run, QString* stamps, QStringList* addresses)
{
    bool read = false;
    QStringList unused;
    const QList<PrintRow> rows = CustomerWorkTable::checkedPrintRows(addresses ? addresses : &unused, &read);
    if (!read)
        return StoreResult::failure(QStringLiteral("顧客リストを読み込めません。"));
    if (stamps)
        *stamps = StampNotice::of(request, rows);
    return recordAndBuild(request, rows, run);
}

StoreResult blankRun(PrintRequest request, std::shared_ptr<ReportRun>* run)
{
    request.PrintNumberFlag = false;
    return recordAndBuild(request, QList<PrintRow>(qMax<qint64>(request.PrintCopies, 0), PrintRow{}), run);
}

} // namespace PrintRunAssembly
