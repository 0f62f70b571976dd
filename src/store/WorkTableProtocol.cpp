#include "store/WorkTableProtocol.h"

#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/LoadedVersions.h"
#include "store/SealTable.h"

#include <functional>
#include <optional>

namespace WorkTableProtocol {

namespace {
// Null and a whole number compare as themselves; the grid may hand 1000 as text or number.
bool sameAmount(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toString() == b.toString();
}

// Whether wコードマスタ already holds what rebuilding it from `master` would write: 30 rows,
// the master's codes and names from the top, then "NN" with "".
bool holdsAlready(const QList<CodeRecord>& master)
{
    bool ok = false;
    const QList<CodeRecord> work = CodeWorkTable::rows(&ok);
    if (!ok || work.size() != CodeWorkTable::Rows)
        return false;
    for (int i = 0; i < CodeWorkTable::Rows; ++i) {
        const bool loaded = i < master.size();
        const QString code = loaded ? master.at(i).code : QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        const QVariant name = loaded ? master.at(i).sname : QVariant(QString(QLatin1String("")));
        const QVariant& held = work.at(i).sname;
        if (work.at(i).code != code || held.isNull() != name.isNull() || held.toString() != name.toString())
            return false;
    }
    return true;
}

// The unit's version as stored now; read before its rows, so that a save registered between
// the two reads makes this screen's save refused rather than let it replace unseen rows.
std::optional<qint64> versionBeforeLoad(const SavedVersions::Unit& unit, StoreResult* failed)
{
    const std::optional<qint64> version = SavedVersions::stored(Connections::mainDb(), unit);
    if (!version)
        *failed = StoreResult::failure(QStringLiteral("登録の版を読み込めません。"));
    return version;
}

// A save of `unit` through `write` (given the loaded version and where the new one goes),
// checked against the version this screen loaded; the screen then holds the saved version.
StoreResult registerUnit(const SavedVersions::Unit& unit,
                         const std::function<StoreResult(std::optional<qint64>, qint64*)>& write)
{
    bool read = false;
    const std::optional<qint64> loaded = LoadedVersions::of(unit, &read);
    if (!read)
        return StoreResult::failure(QStringLiteral("読み込んだ一覧の版を作業用ファイルから読めません。"));
    qint64 saved = 0;
    if (const StoreResult written = write(loaded, &saved); !written)
        return written;
    // Registered whatever follows: a work file that cannot take the new version keeps the old
    // one, which refuses the next save of this screen rather than let it overwrite anything.
    LoadedVersions::keep(unit, saved);
    return StoreResult::success();
}
} // namespace

StoreResult loadCustomerList(const QString& category, const QVariantList& amounts)
{
    const SavedVersions::Unit unit = SavedVersions::customerList(category);
    StoreResult failed;
    const std::optional<qint64> version = versionBeforeLoad(unit, &failed);
    if (!version)
        return failed;
    // Read and written as it comes, inside the rebuild's one transaction.
    CustomerMasterTable::CategoryRows named(category);
    if (!named.error().isEmpty())
        return StoreResult::failure(named.error());
    if (const StoreResult rebuilt = CustomerWorkTable::rebuild(named, amounts); !rebuilt)
        return rebuilt;
    return LoadedVersions::keep(unit, *version);
}

StoreResult clearCustomerList()
{
    if (const StoreResult rebuilt = CustomerWorkTable::rebuild(); !rebuilt)
        return rebuilt;
    return LoadedVersions::forget(SavedVersions::customerList({}).kind);
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
            master.append({master.size() + 1, row.顧客名, category, row.但書, row.領収額, row.税区分, row.メールアドレス});
    return registerUnit(SavedVersions::customerList(category), [&](std::optional<qint64> loaded, qint64* saved) {
        return CustomerMasterTable::replaceCategory(category, master, loaded, saved);
    });
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
    const SavedVersions::Unit unit = SavedVersions::codeList(kcode);
    StoreResult failed;
    const std::optional<qint64> version = versionBeforeLoad(unit, &failed);
    if (!version)
        return failed;
    bool ok = false;
    const QList<CodeRecord> master = CodeMasterTable::readKind(kcode, &ok);
    if (!ok)
        return StoreResult::failure(QStringLiteral("コードマスタを読み込めません。"));
    if (!holdsAlready(master))
        if (const StoreResult rebuilt = CodeWorkTable::rebuild(master); !rebuilt)
            return rebuilt;
    return LoadedVersions::keep(unit, *version);
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
    return registerUnit(SavedVersions::codeList(kcode), [&](std::optional<qint64> loaded, qint64* saved) {
        return CodeMasterTable::replaceKind(kcode, names, loaded, saved);
    });
}

StoreResult markSettingsLoaded()
{
    StoreResult failed;
    const std::optional<qint64> version = versionBeforeLoad(SavedVersions::settings(), &failed);
    return version ? LoadedVersions::keep(SavedVersions::settings(), *version) : failed;
}

StoreResult registerSettings(const CompanySettingsRecord& record)
{
    return registerUnit(SavedVersions::settings(), [&](std::optional<qint64> loaded, qint64* saved) {
        return CompanyTable::writeFirst(record, loaded, saved);
    });
}

StoreResult registerSettings(const CompanySettingsRecord& record, const std::optional<SealRecord>& seal)
{
    return registerUnit(SavedVersions::settings(), [&](std::optional<qint64> loaded, qint64* saved) {
        return CompanyTable::writeFirst(record, loaded, saved,
                                        [&seal] { return SealTable::write(Connections::mainDb(), seal); });
    });
}

} // namespace WorkTableProtocol
