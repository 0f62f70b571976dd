#include "store/PrintRowTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

namespace PrintRowTable {

StoreResult replace(const QList<PrintRow>& rows)
{
    const RowSource values{[&rows, next = qsizetype(0)](QVariantList* values) mutable {
        if (next == rows.size())
            return false;
        const PrintRow& row = rows.at(next++);
        *values = {row.顧客名, row.領収額, row.但書, row.税区分};
        return true;
    }};
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM w領収証印刷"), {},
                       QStringLiteral("INSERT INTO w領収証印刷 (顧客名, 領収額, 但書, 税区分) VALUES (?, ?, ?, ?)"), values);
}

QList<PrintRow> rows(bool* ok)
{
    QList<PrintRow> result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT 顧客名, 領収額, 但書, 税区分 FROM w領収証印刷 ORDER BY id"));
    while (done && sql.query().next())
        result.append({sql.query().value(0), sql.query().value(1), sql.query().value(2), sql.query().value(3)});
    if (ok)
        *ok = done;
    return result;
}

} // namespace PrintRowTable
