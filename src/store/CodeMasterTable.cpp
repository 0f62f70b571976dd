#include "store/CodeMasterTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace CodeMasterTable {

QList<CodeRecord> readKind(const QString& kcode, bool* ok)
{
    QList<CodeRecord> rows;
    SqlRunner sql(Connections::mainDb());
    const bool done =
        sql.exec(QStringLiteral("SELECT code, sname FROM コードマスタ WHERE kcode = ? ORDER BY code, rowid"), {kcode});
    while (done && sql.query().next())
        rows.append({sql.query().value(0).toString(), sql.query().value(1)});
    if (ok)
        *ok = done;
    return rows;
}

StoreResult replaceKind(const QString& kcode, const QList<QVariant>& names)
{
    Transaction transaction(Connections::mainDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("DELETE FROM コードマスタ WHERE kcode = ?"), {kcode}))
        return StoreResult::failure(sql.error());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString code = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (!sql.exec(QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname) VALUES (?, ?, ?)"),
                      {kcode, code, names.at(i)}))
            return StoreResult::failure(sql.error());
    }
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

} // namespace CodeMasterTable
