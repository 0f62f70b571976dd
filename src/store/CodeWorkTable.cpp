#include "store/CodeWorkTable.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace CodeWorkTable {

StoreResult rebuild(const QList<CodeRecord>& loaded)
{
    Transaction transaction(Connections::workDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(QStringLiteral("DELETE FROM wコードマスタ")))
        return StoreResult::failure(sql.error());
    for (int i = 0; i < Rows; ++i) {
        QVariant code = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        QVariant name = QString(QLatin1String(""));
        if (i < loaded.size()) {
            code = loaded.at(i).code;
            name = loaded.at(i).sname;
        }
        if (!sql.exec(QStringLiteral("INSERT INTO wコードマスタ (code, sname, チェック) VALUES (?, ?, ?)"),
                      {code, name, NoValue}))
            return StoreResult::failure(sql.error());
    }
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

QList<CodeRecord> rows(bool* ok)
{
    QList<CodeRecord> result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT code, sname FROM wコードマスタ ORDER BY code, id"));
    while (done && sql.query().next())
        result.append({sql.query().value(0).toString(), sql.query().value(1)});
    if (ok)
        *ok = done;
    return result;
}

} // namespace CodeWorkTable
