#include "store/CustomerMasterTable.h"

#include "store/Connections.h"
#include "store/ReplaceRows.h"
#include "store/SavedVersions.h"
#include "store/SqlRunner.h"

namespace {

QList<CustomerRecord> select(const QString& sql, const QVariantList& values, bool* ok)
{
    QList<CustomerRecord> rows;
    SqlRunner runner(Connections::mainDb());
    const bool done = runner.exec(sql, values);
    while (done && runner.query().next()) {
        QSqlQuery& q = runner.query();
        rows.append({q.value(0).toLongLong(), q.value(1), q.value(2).toString(), q.value(3), q.value(4), q.value(5),
                     q.value(6)});
    }
    if (ok)
        *ok = done;
    return rows;
}

} // namespace

namespace CustomerMasterTable {

QList<CustomerRecord> readCategory(const QString& category, bool* ok)
{
    return select(QStringLiteral("SELECT 行番号, 顧客名, 区分, 但書, 領収額, 税区分, メールアドレス FROM 顧客マスタ WHERE 区分 = ? "
                                 "ORDER BY 行番号, rowid"),
                  {category}, ok);
}

QList<CustomerRecord> readAll(bool* ok)
{
    return select(QStringLiteral("SELECT 行番号, 顧客名, 区分, 但書, 領収額, 税区分, メールアドレス FROM 顧客マスタ ORDER BY 区分, 行番号, rowid"),
                  {}, ok);
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
