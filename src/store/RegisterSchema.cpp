#include "store/RegisterSchema.h"

#include "store/SchemaInstaller.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

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
            if (!sql.exec(statement))
                return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return made ? QString() : QStringLiteral("発行記録を準備できません：") + made.error;
}

} // namespace RegisterSchema
