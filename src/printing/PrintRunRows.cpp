#include "printing/PrintRunRows.h"

#include "store/CustomerWorkTable.h"
#include "store/PrintRowTable.h"

namespace PrintRunRows {

StoreResult forList(QList<PrintRow>* rows)
{
    bool read = false;
    const QList<CustomerWorkRow> marked = CustomerWorkTable::checkedRows(&read);
    if (!read)
        return StoreResult::failure(QStringLiteral("顧客リストを読み込めません。"));
    rows->clear();
    rows->reserve(marked.size());
    for (const CustomerWorkRow& customer : marked)
        rows->append({customer.顧客名, customer.領収額, customer.但書});
    return PrintRowTable::replace(*rows);
}

StoreResult forBlankForms(qint64 count, QList<PrintRow>* rows)
{
    rows->clear();
    for (qint64 i = 0; i < count; ++i)
        rows->append(PrintRow{});
    return PrintRowTable::replace(*rows);
}

} // namespace PrintRunRows
