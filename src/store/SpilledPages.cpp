#include "store/SpilledPages.h"

#include "store/FileIdentity.h"
#include "store/WriteFailure.h"

#include <QSqlError>
#include <QSqlQuery>

namespace SpilledPages {

QString allow(QSqlDatabase db)
{
    QSqlQuery query(db);
    // A negative size counts kibibytes, whatever the page size.
    if (!query.exec(QStringLiteral("PRAGMA cache_spill = %1").arg(-ThresholdKiB)))
        return QStringLiteral("データベースを設定できません：") + WriteFailure::describe(query.lastError());
    return {};
}

QString journalPageOne(QSqlDatabase db)
{
    return FileIdentity::rewrite(db);
}

void stop(QSqlDatabase db)
{
    // A pragma that reads and writes no data fails only on a connection that is closed.
    QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_spill = OFF"));
}

} // namespace SpilledPages
