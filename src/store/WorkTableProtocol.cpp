#include "store/WorkTableProtocol.h"

#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"

namespace WorkTableProtocol {

namespace {
// Null and a whole number compare as themselves; the grid may hand 1000 as text or number.
bool sameAmount(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toString() == b.toString();
}
} // namespace

StoreResult loadCustomerList(const QString& category, const QVariantList& amounts)
{
    bool ok = false;
    QList<CustomerRecord> named = CustomerMasterTable::readCategory(category, &ok);
    if (!ok)
        return StoreResult::failure(QStringLiteral("顧客マスタを読み込めません。"));
    named.removeIf([](const CustomerRecord& row) { return row.顧客名.isNull(); });
    return CustomerWorkTable::rebuild(named, amounts);
}

StoreResult registerCustomerList(const QString& category)
{
    bool ok = false;
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows(&ok);
    if (!ok)
        return StoreResult::failure(QStringLiteral("顧客リストを読み込めません。"));
    QList<CustomerRecord> master;
    for (const CustomerWorkRow& row : work)
        if (!row.顧客名.isNull())
            master.append({master.size() + 1, row.顧客名, category, row.但書, row.領収額});
    return CustomerMasterTable::replaceCategory(category, master);
}

bool customerListUnchanged(const QString& category)
{
    bool workRead = false;
    bool masterRead = false;
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows(&workRead);
    QList<CustomerRecord> master = CustomerMasterTable::readCategory(category, &masterRead);
    if (!workRead || !masterRead)
        return false;
    master.removeIf([](const CustomerRecord& row) { return row.顧客名.isNull(); });
    qsizetype next = 0;
    for (const CustomerWorkRow& row : work) {
        if (row.顧客名.isNull()) {
            if (!row.領収額.isNull()) // an amount on an unnamed row is never registered
                return false;
            continue;
        }
        if (next == master.size() || master.at(next).顧客名 != row.顧客名 || master.at(next).但書 != row.但書 ||
            !sameAmount(master.at(next).領収額, row.領収額))
            return false;
        ++next;
    }
    return next == master.size();
}

bool amountsUnregistered(const QString& category)
{
    bool workRead = false;
    bool masterRead = false;
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows(&workRead);
    QList<CustomerRecord> master = CustomerMasterTable::readCategory(category, &masterRead);
    if (!workRead)
        return false; // nothing to lose that could be read
    if (!masterRead)
        master.clear();
    master.removeIf([](const CustomerRecord& row) { return row.顧客名.isNull(); });
    // Row by row as a load laid them out: the registered members from the top.
    qsizetype next = 0;
    for (const CustomerWorkRow& row : work) {
        QVariant registered;
        if (!row.顧客名.isNull() && next < master.size() && master.at(next).顧客名 == row.顧客名)
            registered = master.at(next++).領収額;
        if (!row.領収額.isNull() && !sameAmount(registered, row.領収額))
            return true;
    }
    return false;
}

StoreResult loadCodeList(const QString& kcode)
{
    bool ok = false;
    const QList<CodeRecord> master = CodeMasterTable::readKind(kcode, &ok);
    if (!ok)
        return StoreResult::failure(QStringLiteral("コードマスタを読み込めません。"));
    return CodeWorkTable::rebuild(master);
}

StoreResult registerCodeList(const QString& kcode)
{
    bool ok = false;
    const QList<CodeRecord> work = CodeWorkTable::rows(&ok);
    if (!ok)
        return StoreResult::failure(QStringLiteral("コード表を読み込めません。"));
    QList<QVariant> names;
    for (int i = 0; i < CodeWorkTable::Rows; ++i) {
        const QVariant name = i < work.size() ? work.at(i).sname : QVariant();
        names.append(name.isNull() ? QString(QLatin1String("")) : name.toString());
    }
    return CodeMasterTable::replaceKind(kcode, names);
}

} // namespace WorkTableProtocol
