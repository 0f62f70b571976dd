#include "store/SealTable.h"

#include "store/SqlRunner.h"

namespace SealTable {

std::optional<SealRecord> read(QSqlDatabase db, bool* ok)
{
    SqlRunner sql(db);
    const bool done = sql.exec(QStringLiteral("SELECT 種類, 画像, 寸法, 印刷 FROM 印影 LIMIT 1"));
    if (ok)
        *ok = done;
    if (!done || !sql.query().next())
        return std::nullopt;
    const QSqlQuery& q = sql.query();
    return SealRecord{q.value(0).toString(), q.value(1).toByteArray(), q.value(2).toInt(), q.value(3).toInt() != 0};
}

StoreResult write(QSqlDatabase db, const std::optional<SealRecord>& seal)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("DELETE FROM 印影")))
        return StoreResult::failure(sql.error());
    if (seal && !sql.exec(QStringLiteral("INSERT INTO 印影 (種類, 画像, 寸法, 印刷) VALUES (?, ?, ?, ?)"),
                          {seal->種類, seal->画像, seal->寸法, seal->印刷 ? YesValue : 0}))
        return StoreResult::failure(sql.error());
    return StoreResult::success();
}

} // namespace SealTable
