#include "store/CodeMasterTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SavedVersions.h"
#include "store/SqlRunner.h"

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

StoreResult replaceKind(const QString& kcode, const QList<QVariant>& names, std::optional<qint64> loaded, qint64* saved)
{
    QList<QVariantList> rows;
    for (qsizetype i = 0; i < names.size(); ++i)
        rows.append({kcode, QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0')), names.at(i)});
    const QSqlDatabase db = Connections::mainDb();
    return SavedVersions::save(db, SavedVersions::codeList(kcode), loaded, saved, [&] {
        return replaceRowsWithin(db, QStringLiteral("DELETE FROM コードマスタ WHERE kcode = ?"), {kcode},
                                 QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname) VALUES (?, ?, ?)"), rows);
    });
}

} // namespace CodeMasterTable
