#include "store/RegisterChanges.h"

#include "domain/Clock.h"
#include "store/SqlRunner.h"

#include <pwd.h>
#include <unistd.h>

namespace RegisterChanges {

namespace {
// The login name of whoever runs the program, as the system knows it.
QString userName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()); entry && entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::geteuid());
}
} // namespace

Change now(qint64 id, const QString& operation, const QString& before, const QString& after, const QString& reason,
           const IssuingProcess& by)
{
    return {id, Clock::now().toString(Qt::ISODate), operation, before, after, reason, userName(), by.host};
}

bool addWithin(QSqlDatabase db, const QList<Change>& changes, QString* error)
{
    SqlRunner sql(db);
    for (const Change& c : changes) {
        if (!sql.exec(QStringLiteral("INSERT INTO 発行記録変更 (記録番号, 変更日時, 操作, 変更前, 変更後, 理由, 利用者, 端末) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {c.記録番号, c.変更日時, c.操作, c.変更前, c.変更後, c.理由, c.利用者, c.端末})) {
            *error = sql.error();
            return false;
        }
    }
    return true;
}

std::optional<QList<Change>> all(QSqlDatabase db)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("SELECT 記録番号, 変更日時, 操作, 変更前, 変更後, 理由, 利用者, 端末 FROM 発行記録変更 "
                                 "ORDER BY 変更番号")))
        return std::nullopt;
    QList<Change> changes;
    while (sql.query().next()) {
        const auto text = [&sql](int column) { return sql.query().value(column).toString(); };
        changes.append({sql.query().value(0).toLongLong(), text(1), text(2), text(3), text(4), text(5), text(6), text(7)});
    }
    return changes;
}

} // namespace RegisterChanges
