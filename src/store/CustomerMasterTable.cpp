#include "store/CustomerMasterTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace CustomerMasterTable {

QList<CustomerRecord> readCategory(const QString& category, bool* ok)
{
    QList<CustomerRecord> rows;
    SqlRunner sql(Connections::mainDb());
    const bool done = sql.exec(QStringLiteral("SELECT 行番号, 顧客名, 区分, 但書 FROM 顧客マスタ WHERE 区分 = ? "
                                              "ORDER BY 行番号, rowid"),
                               {category});
    while (done && sql.query().next()) {
        QSqlQuery& q = sql.query();
        rows.append({q.value(0).toLongLong(), q.value(1), q.value(2).toString(), q.value(3)});
    }
    if (ok)
        *ok = done;
    return rows;
}

StoreResult replaceCategory(const QString& category, const QList<CustomerRecord>& rows)
{
    Transaction transaction(Connections::mainDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("DELETE FROM 顧客マスタ WHERE 区分 = ?"), {category}))
        return StoreResult::failure(sql.error());
    for (const CustomerRecord& row : rows) {
        if (!sql.exec(QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (?, ?, ?, ?)"),
                      {row.行番号, row.顧客名, category, row.但書}))
            return StoreResult::failure(sql.error());
    }
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

} // namespace CustomerMasterTable
