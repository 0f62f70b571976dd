#include "store/CustomerWorkTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"

#include <functional>
#include <optional>

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
const QString checked = QStringLiteral("WHERE チェック <> 0 AND 顧客名 <> '' ORDER BY 行番号, id");

} // namespace

namespace CustomerWorkTable {

namespace {

// The customers `named` hands over, then blank rows up to BlankRows; see rebuild.
StoreResult rebuildFrom(const std::function<std::optional<CustomerRecord>()>& named,
                        const std::function<QString()>& failure, const QVariantList& amounts)
{
    qsizetype written = 0;
    const RowSource rows{[&](QVariantList* values) {
                             const std::optional<CustomerRecord> customer = named();
                             if (!customer && written >= BlankRows)
                                 return false;
                             const QVariant amount = written < amounts.size() ? amounts.at(written)
                                                     : customer               ? customer->領収額
                                                                              : QVariant();
                             ++written;
                             *values = customer ? QVariantList{written, NoValue, customer->顧客名, amount, customer->但書,
                                                               customer->税区分, customer->メールアドレス}
                                                : QVariantList{written, NoValue, QVariant(), amount, QVariant(),
                                                               QVariant(), QVariant()};
                             return true;
                         },
                         failure};
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM w顧客マスタ"), {},
                       QStringLiteral("INSERT INTO w顧客マスタ (行番号, チェック, 顧客名, 領収額, 但書, 税区分, メールアドレス) "
                                      "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                       rows);
}

} // namespace

StoreResult rebuild(const QList<CustomerRecord>& named, const QVariantList& amounts)
{
    qsizetype next = 0;
    return rebuildFrom([&]() -> std::optional<CustomerRecord> {
        if (next == named.size())
            return std::nullopt;
        return named.at(next++);
    }, {}, amounts);
}

StoreResult rebuild(CustomerMasterTable::CategoryRows& master, const QVariantList& amounts)
{
    return rebuildFrom(
        [&master] {
            std::optional<CustomerRecord> row = master.next();
            while (row && row->顧客名.isNull())
                row = master.next();
            return row;
        },
        [&master] { return master.error(); }, amounts);
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

QString checkedCondition() { return checked; }

QList<CustomerWorkRow> checkedRows(bool* ok)
{
    return select(columns + checked, ok);
}

QStringList checkedAddresses(bool* ok)
{
    QStringList addresses;
    SqlRunner runner(Connections::workDb());
    const bool done = runner.exec(QStringLiteral("SELECT メールアドレス FROM w顧客マスタ ") + checked);
    while (done && runner.query().next())
        addresses.append(runner.query().value(0).toString());
    if (ok)
        *ok = done;
    return addresses;
}

} // namespace CustomerWorkTable
