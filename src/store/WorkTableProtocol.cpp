#include "store/WorkTableProtocol.h"

#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"

namespace WorkTableProtocol {

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
            master.append({master.size() + 1, row.顧客名, category, row.但書});
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
        if (!row.領収額.isNull())
            return false;
        if (row.顧客名.isNull())
            continue;
        if (next == master.size() || master.at(next).顧客名 != row.顧客名 || master.at(next).但書 != row.但書)
            return false;
        ++next;
    }
    return next == master.size();
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
