#include "store/FileIdentity.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <QRandomGenerator>

namespace FileIdentity {

QString ensure(QSqlDatabase db)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("PRAGMA application_id")) || !sql.query().next())
        return QStringLiteral("データベースを確かめられません：") + sql.error();
    if (sql.query().value(0).toLongLong() != 0)
        return {};
    sql.query().finish();
    qint32 identity = 0;
    while (identity == 0)
        identity = qint32(QRandomGenerator::system()->generate());
    // Pragmas take no bound values; the number is ours, never the user's.
    const StoreResult stamped = Transaction::run(db, [&sql, identity] {
        if (!sql.exec(QStringLiteral("PRAGMA application_id = %1").arg(identity)))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return stamped ? QString()
                   : QStringLiteral("データベースに書き込めません（ディスクの空きがないか、書き込みが許されていません）：") +
                         stamped.error;
}

} // namespace FileIdentity
