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
    Transaction transaction(db);
    if (!transaction.begun())
        return QStringLiteral("発行記録を準備できません：") + transaction.error();
    SqlRunner sql(db);
    for (const QString& statement : SchemaInstaller::statementsOf(script()))
        if (!sql.exec(statement))
            return QStringLiteral("発行記録を準備できません：") + sql.error();
    if (!transaction.commit())
        return QStringLiteral("発行記録を準備できません：") + transaction.error();
    return {};
}

} // namespace RegisterSchema
