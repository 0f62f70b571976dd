#include "store/CategoryTaxTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace CategoryTaxTable {

QString read(const QString& category)
{
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("SELECT sname FROM コードマスタ WHERE kcode = ? AND code = ?"), {Kind, category}) ||
        !sql.query().next())
        return {};
    return sql.query().value(0).toString();
}

StoreResult write(const QString& category, const QString& key)
{
    const QSqlDatabase db = Connections::mainDb();
    return Transaction::run(db, [&] {
        SqlRunner sql(db);
        if (!sql.exec(QStringLiteral("DELETE FROM コードマスタ WHERE kcode = ? AND code = ?"), {Kind, category}) ||
            !sql.exec(QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname) VALUES (?, ?, ?)"),
                      {Kind, category, key}))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace CategoryTaxTable
