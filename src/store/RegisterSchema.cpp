#include "store/RegisterSchema.h"

#include "store/SchemaInstaller.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace {

// The numbers the register holds more than one original entry for (at most a few, to name them).
QStringList duplicatedNumbers(QSqlDatabase db)
{
    SqlRunner sql(db);
    QStringList numbers;
    if (sql.exec(QStringLiteral("SELECT 領収証番号 FROM 発行記録 WHERE 状態 <> '再発行' GROUP BY 領収証番号 "
                                "HAVING count(*) > 1 ORDER BY 領収証番号 LIMIT 20")))
        while (sql.query().next())
            numbers << sql.query().value(0).toString();
    return numbers;
}

} // namespace

namespace RegisterSchema {

QString script()
{
    return QStringLiteral(":/store/schema_register.sql");
}

QString ensure(QSqlDatabase db)
{
    const StoreResult made = Transaction::run(db, [&db] {
        SqlRunner sql(db);
        for (const QString& statement : SchemaInstaller::statementsOf(script()))
            if (!sql.exec(statement)) {
                if (const QStringList numbers = duplicatedNumbers(db); !numbers.isEmpty())
                    return StoreResult::failure(
                        QStringLiteral("同じ領収証番号の発行が二件以上記録されています（領収証番号 %1）。"
                                       "一つの番号は一枚の領収証にだけ使えるため、このデータでは開けません。")
                            .arg(numbers.join(QStringLiteral("、"))));
                return StoreResult::failure(sql.error());
            }
        return StoreResult::success();
    });
    return made ? QString() : QStringLiteral("発行記録を準備できません：") + made.error;
}

} // namespace RegisterSchema
