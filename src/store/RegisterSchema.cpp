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
    if (sql.exec(QStringLiteral("SELECT 領収証番号 FROM 発行記録 WHERE 原本 = 1 GROUP BY 領収証番号 "
                                "HAVING count(*) > 1 ORDER BY 領収証番号 LIMIT 20")))
        while (sql.query().next())
            numbers << sql.query().value(0).toString();
    return numbers;
}

// A register written before entries said whether they are originals and who issued them gains
// those columns; every entry but a 再発行 copy is an original.
bool addKindAndIssuer(SqlRunner& sql)
{
    if (!sql.exec(QStringLiteral("SELECT (SELECT count(*) FROM pragma_table_info('発行記録')), "
                                 "(SELECT count(*) FROM pragma_table_info('発行記録') WHERE name = '原本')")) ||
        !sql.query().next())
        return false;
    const bool tableExists = sql.query().value(0).toInt() > 0;
    const bool hasKind = sql.query().value(1).toInt() > 0;
    sql.query().finish();
    if (!tableExists || hasKind)
        return true;
    for (const char* statement : {"ALTER TABLE 発行記録 ADD COLUMN 原本 INTEGER NOT NULL DEFAULT 1",
                                  "ALTER TABLE 発行記録 ADD COLUMN 発行端末 TEXT",
                                  "ALTER TABLE 発行記録 ADD COLUMN 発行プロセス TEXT",
                                  "UPDATE 発行記録 SET 原本 = 0 WHERE 状態 = '再発行'",
                                  "DROP INDEX IF EXISTS 発行記録_原本番号"})
        if (!sql.exec(QString::fromUtf8(statement)))
            return false;
    return true;
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
        if (!addKindAndIssuer(sql))
            return StoreResult::failure(sql.error());
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
