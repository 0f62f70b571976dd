#include "store/StoreUpgrades.h"

#include "store/SqlDialect.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <vector>

namespace {

// One step: adds what it needs where it is missing; false (with the runner's error) on failure.
using Step = bool (*)(QSqlDatabase, SqlRunner&);

// The steps, oldest first.
const std::vector<Step> steps{};

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
