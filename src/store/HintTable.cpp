#include "store/HintTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

namespace {
const QString deleteKey = QStringLiteral("DELETE FROM ClHint WHERE FormName = ? AND CtlName = ?");
}

namespace HintTable {

QList<HintRecord> read(const QString& formName, const QString& ctlName, bool* ok)
{
    QList<HintRecord> result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT FormName, CtlName, FormTitle, Contents FROM ClHint "
                                              "WHERE FormName = ? AND CtlName = ? ORDER BY rowid"),
                               {formName, ctlName});
    while (done && sql.query().next()) {
        const QSqlQuery& q = sql.query();
        result.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3)});
    }
    if (ok)
        *ok = done;
    return result;
}

StoreResult replace(const HintRecord& record)
{
    return replaceRows(Connections::workDb(), deleteKey, {record.FormName, record.CtlName},
                       QStringLiteral("INSERT INTO ClHint (FormName, CtlName, FormTitle, Contents) VALUES (?, ?, ?, ?)"),
                       {{record.FormName, record.CtlName, record.FormTitle, record.Contents}});
}

StoreResult remove(const QString& formName, const QString& ctlName)
{
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(deleteKey, {formName, ctlName}))
        return StoreResult::failure(sql.error());
    return StoreResult::success();
}

} // namespace HintTable
