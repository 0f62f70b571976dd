#include "store/ProvisoTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

namespace ProvisoTable {

StoreResult rebuild(const QStringList& provisos)
{
    QList<QVariantList> values;
    for (const QString& proviso : provisos)
        values.append({proviso});
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM w但書"), {},
                       QStringLiteral("INSERT INTO w但書 (但書) VALUES (?)"), values);
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
