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
    const QList<CustomerWorkRow> marked = CustomerWorkTable::checkedRows(&read);
    if (!read)
        return StoreResult::failure(QStringLiteral("顧客リストを読み込めません。"));
    QList<PrintRow> rows;
    rows.reserve(marked.size());
    for (const CustomerWorkRow& customer : marked)
        rows.append({customer.顧客名, customer.領収額, customer.但書, customer.税区分});
    if (addresses) {
        addresses->clear();
        for (const CustomerWorkRow& customer : marked)
            addresses->append(customer.メールアドレス.toString());
    }
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
