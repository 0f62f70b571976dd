#include "store/LoadedVersions.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"

namespace {

// A work file from before the table gains it at its first use (work files are never delivered
// anew once made).
bool withTable(SqlRunner& sql)
{
    return sql.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS w保存版 (種類 TEXT PRIMARY KEY, 名前 TEXT NOT NULL, "
                                   "版 INTEGER NOT NULL)"));
}

} // namespace

namespace LoadedVersions {

StoreResult keep(const SavedVersions::Unit& unit, qint64 version)
{
    SqlRunner sql(Connections::workDb());
    if (!withTable(sql) ||
        !sql.exec(QStringLiteral("INSERT OR REPLACE INTO w保存版 (種類, 名前, 版) VALUES (?, ?, ?)"),
                  {unit.kind, unit.name, version}))
        return StoreResult::failure(sql.error());
    return StoreResult::success();
}

StoreResult forget(const QString& kind)
{
    SqlRunner sql(Connections::workDb());
    if (!withTable(sql) || !sql.exec(QStringLiteral("DELETE FROM w保存版 WHERE 種類 = ?"), {kind}))
        return StoreResult::failure(sql.error());
    return StoreResult::success();
}

std::optional<qint64> of(const SavedVersions::Unit& unit, bool* ok)
{
    SqlRunner sql(Connections::workDb());
    *ok = withTable(sql) &&
          sql.exec(QStringLiteral("SELECT 版 FROM w保存版 WHERE 種類 = ? AND 名前 = ?"), {unit.kind, unit.name});
    if (!*ok || !sql.query().next())
        return std::nullopt;
    return sql.query().value(0).toLongLong();
}

} // namespace LoadedVersions
