#include "store/StoreUpgrades.h"

#include "store/SqlDialect.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <vector>

namespace {

// One step: adds what it needs where it is missing; false (with the runner's error) on failure.
using Step = bool (*)(QSqlDatabase, SqlRunner&);

// Tax and stamp duty: who issues (自社情報), and per receipt in the register what was printed
// of them.
bool addTaxColumns(QSqlDatabase db, SqlRunner& sql)
{
    using StoreUpgrades::addColumn;
    const QString text = QStringLiteral("TEXT");
    const QString whole = SqlDialect::of(db) == SqlDialect::Kind::Postgres ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    const QString company = QStringLiteral("自社情報");
    const QString entries = QStringLiteral("発行記録");
    return addColumn(db, sql, company, QStringLiteral("事業者区分"), text) &&
           addColumn(db, sql, company, QStringLiteral("登録番号"), text) &&
           addColumn(db, sql, company, QStringLiteral("端数処理"), text) &&
           addColumn(db, sql, entries, QStringLiteral("税区分"), text) &&
           addColumn(db, sql, entries, QStringLiteral("税率"), whole) &&
           addColumn(db, sql, entries, QStringLiteral("消費税額"), whole) &&
           addColumn(db, sql, entries, QStringLiteral("登録番号"), text) &&
           addColumn(db, sql, entries, QStringLiteral("印紙税額"), whole);
}

// The steps, oldest first.
const std::vector<Step> steps{addTaxColumns};

} // namespace

namespace StoreUpgrades {

bool addColumn(QSqlDatabase db, SqlRunner& sql, const QString& table, const QString& column, const QString& definition)
{
    if (SqlDialect::hasColumn(db, table, column))
        return true;
    // A second computer upgrading the same server at the same moment waits for the first one's
    // transaction and then finds the column there.
    const QString ifMissing =
        SqlDialect::of(db) == SqlDialect::Kind::Postgres ? QStringLiteral("IF NOT EXISTS ") : QString();
    return sql.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2%3 %4").arg(table, ifMissing, column, definition));
}

QString ensure(QSqlDatabase db)
{
    const StoreResult done = Transaction::run(db, [&db] {
        SqlRunner sql(db);
        for (const Step step : steps)
            if (!step(db, sql))
                return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return done ? QString() : QStringLiteral("データの表を新しい版に合わせられません：") + done.error;
}

} // namespace StoreUpgrades
