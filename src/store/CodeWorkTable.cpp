#include "store/CodeWorkTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

namespace CodeWorkTable {

StoreResult rebuild(const QList<CodeRecord>& loaded)
{
    QList<QVariantList> values;
    for (int i = 0; i < Rows; ++i) {
        if (i < loaded.size())
            values.append({loaded.at(i).code, loaded.at(i).sname, NoValue});
        else
            values.append({QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), QString(QLatin1String("")), NoValue});
    }
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM wコードマスタ"), {},
                       QStringLiteral("INSERT INTO wコードマスタ (code, sname, チェック) VALUES (?, ?, ?)"), values);
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
