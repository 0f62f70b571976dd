#include "store/CustomerWorkTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

#include <algorithm>

namespace {

QList<CustomerWorkRow> select(const QString& sql, bool* ok)
{
    QList<CustomerWorkRow> result;
    SqlRunner runner(Connections::workDb());
    const bool done = runner.exec(sql);
    while (done && runner.query().next()) {
        const QSqlQuery& q = runner.query();
        result.append({q.value(0).toLongLong(), q.value(1).toLongLong(), q.value(2).toInt() != 0, q.value(3),
                       q.value(4), q.value(5), q.value(6), q.value(7)});
    }
    if (ok)
        *ok = done;
    return result;
}

const QString columns = QStringLiteral("SELECT id, 行番号, チェック, 顧客名, 領収額, 但書, 税区分, メールアドレス FROM w顧客マスタ ");

} // namespace

namespace CustomerWorkTable {

StoreResult rebuild(const QList<CustomerRecord>& named, const QVariantList& amounts)
{
    QList<QVariantList> values;
    const qsizetype count = std::max<qsizetype>(BlankRows, named.size());
    for (qsizetype i = 0; i < count; ++i) {
        const bool hasName = i < named.size();
        const QVariant amount = i < amounts.size() ? amounts.at(i) : hasName ? named.at(i).領収額 : QVariant();
        values.append({i + 1, NoValue, hasName ? named.at(i).顧客名 : QVariant(), amount,
                       hasName ? named.at(i).但書 : QVariant(), hasName ? named.at(i).税区分 : QVariant(),
                       hasName ? named.at(i).メールアドレス : QVariant()});
    }
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM w顧客マスタ"), {},
                       QStringLiteral("INSERT INTO w顧客マスタ (行番号, チェック, 顧客名, 領収額, 但書, 税区分, メールアドレス) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                       values);
}

QList<CustomerWorkRow> rows(bool* ok) { return select(columns + QStringLiteral("ORDER BY id"), ok); }

StoreResult setChecks(bool checked)
{
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(QStringLiteral("UPDATE w顧客マスタ SET チェック = ? WHERE 顧客名 IS NOT NULL"),
                  {checked ? YesValue : NoValue}))
        return StoreResult::failure(sql.error());
    return StoreResult::success();
}

QList<CustomerWorkRow> checkedRows(bool* ok)
{
    return select(columns + QStringLiteral("WHERE チェック <> 0 AND 顧客名 <> '' ORDER BY 行番号, id"), ok);
}

} // namespace CustomerWorkTable
