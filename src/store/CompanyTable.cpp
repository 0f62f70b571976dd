#include "store/CompanyTable.h"

#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "store/SavedVersions.h"
#include "store/SqlRunner.h"

namespace {
const QString firstRow = QStringLiteral("rowid = (SELECT min(rowid) FROM 自社情報)");
} // namespace

namespace CompanyTable {

std::optional<CompanySettingsRecord> readFirst(bool* ok)
{
    SqlRunner sql(Connections::mainDb());
    const bool done = sql.exec(QStringLiteral("SELECT 自社名, 自社情報, 年号, 領収証番号, 事業者区分, 登録番号, 端数処理 "
                                              "FROM 自社情報 ORDER BY rowid LIMIT 1"));
    if (ok)
        *ok = done;
    if (!done || !sql.query().next())
        return std::nullopt;
    const QSqlQuery& q = sql.query();
    return CompanySettingsRecord{q.value(0), q.value(1), q.value(2), q.value(3), q.value(4), q.value(5), q.value(6)};
}

StoreResult writeFirst(const CompanySettingsRecord& r, std::optional<qint64> loaded, qint64* saved,
                       const std::function<StoreResult()>& alsoWrite)
{
    const QSqlDatabase db = Connections::mainDb();
    return SavedVersions::save(db, SavedVersions::settings(), loaded, saved, [&] {
        SqlRunner sql(db);
        const QVariantList values = {r.自社名, r.自社情報, r.年号, r.領収証番号, r.事業者区分, r.登録番号, r.端数処理};
        if (!sql.exec(QStringLiteral("UPDATE 自社情報 SET 自社名 = ?, 自社情報 = ?, 年号 = ?, 領収証番号 = ?, "
                                     "事業者区分 = ?, 登録番号 = ?, 端数処理 = ? WHERE ") +
                          firstRow,
                      values))
            return StoreResult::failure(sql.error());
        if (sql.query().numRowsAffected() == 0 &&
            !sql.exec(QStringLiteral("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号, 事業者区分, 登録番号, "
                                     "端数処理) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                      values))
            return StoreResult::failure(sql.error());
        return alsoWrite ? alsoWrite() : StoreResult::success();
    });
}

StoreResult raiseReceiptNumber(qint64 number, bool* changed)
{
    return ReceiptNumbers(Connections::mainDb()).raise(number, changed);
}

} // namespace CompanyTable
