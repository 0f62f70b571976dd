#include "store/ProvisoTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace ProvisoTable {

StoreResult rebuild(const QStringList& provisos)
{
    Transaction transaction(Connections::workDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(QStringLiteral("DELETE FROM w但書")))
        return StoreResult::failure(sql.error());
    for (const QString& proviso : provisos)
        if (!sql.exec(QStringLiteral("INSERT INTO w但書 (但書) VALUES (?)"), {proviso}))
            return StoreResult::failure(sql.error());
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

QStringList entries(bool* ok)
{
    QStringList result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT 但書 FROM w但書 ORDER BY id"));
    while (done && sql.query().next())
        result << sql.query().value(0).toString();
    if (ok)
        *ok = done;
    return result;
}

} // namespace ProvisoTable
