#include "store/CustomerMasterTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SavedVersions.h"
#include "store/SqlRunner.h"

#include <QSqlError>

namespace {

const QString columns = QStringLiteral("SELECT 行番号, 顧客名, 区分, 但書, 領収額, 税区分, メールアドレス FROM 顧客マスタ ");
const QString unreadable = QStringLiteral("顧客マスタを読み込めません。");

CustomerRecord recordOf(const QSqlQuery& q)
{
    return {q.value(0).toLongLong(), q.value(1), q.value(2).toString(), q.value(3), q.value(4), q.value(5), q.value(6)};
}

} // namespace

namespace CustomerMasterTable {

CategoryRows::CategoryRows(const QString& category) : sql_(Connections::mainDb())
{
    reading_ = sql_.exec(columns + QStringLiteral("WHERE 区分 = ? ORDER BY 行番号, rowid"), {category});
    if (!reading_)
        error_ = unreadable + sql_.error();
}

std::optional<CustomerRecord> CategoryRows::next()
{
    if (reading_ && sql_.query().next())
        return recordOf(sql_.query());
    if (reading_ && sql_.query().lastError().isValid())
        error_ = unreadable + sql_.query().lastError().text();
    reading_ = false;
    return std::nullopt;
}

QList<CustomerRecord> readCategory(const QString& category, bool* ok)
{
    QList<CustomerRecord> rows;
    CategoryRows read(category);
    while (const std::optional<CustomerRecord> row = read.next())
        rows.append(*row);
    if (ok)
        *ok = read.error().isEmpty();
    return rows;
}

QList<CustomerRecord> readAll(bool* ok)
{
    QList<CustomerRecord> rows;
    SqlRunner runner(Connections::mainDb());
    const bool done = runner.exec(columns + QStringLiteral("ORDER BY 区分, 行番号, rowid"));
    while (done && runner.query().next())
        rows.append(recordOf(runner.query()));
    if (ok)
        *ok = done;
    return rows;
}

StoreResult replaceCategory(const QString& category, const QList<CustomerRecord>& rows, std::optional<qint64> loaded,
                            qint64* saved)
{
    QList<QVariantList> values;
    values.reserve(rows.size());
    for (const CustomerRecord& row : rows)
        values.append({row.行番号, row.顧客名, category, row.但書, row.領収額, row.税区分, row.メールアドレス});
    const QSqlDatabase db = Connections::mainDb();
    return SavedVersions::save(db, SavedVersions::customerList(category), loaded, saved, [&] {
        return replaceRowsWithin(
            db, QStringLiteral("DELETE FROM 顧客マスタ WHERE 区分 = ?"), {category},
            QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書, 領収額, 税区分, メールアドレス) VALUES (?, ?, ?, ?, ?, ?, ?)"), values);
    });
}

} // namespace CustomerMasterTable
