#include "store/PrintRowTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace PrintRowTable {

StoreResult replace(const QList<PrintRow>& rows)
{
    Transaction transaction(Connections::workDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(QStringLiteral("DELETE FROM w領収証印刷")))
        return StoreResult::failure(sql.error());
    for (const PrintRow& row : rows)
        if (!sql.exec(QStringLiteral("INSERT INTO w領収証印刷 (顧客名, 領収額, 但書) VALUES (?, ?, ?)"),
                      {row.顧客名, row.領収額, row.但書}))
            return StoreResult::failure(sql.error());
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

QList<PrintRow> rows(bool* ok)
{
    QList<PrintRow> result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT 顧客名, 領収額, 但書 FROM w領収証印刷 ORDER BY id"));
    while (done && sql.query().next())
        result.append({sql.query().value(0), sql.query().value(1), sql.query().value(2)});
    if (ok)
        *ok = done;
    return result;
}

} // namespace PrintRowTable
