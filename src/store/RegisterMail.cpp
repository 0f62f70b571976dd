#include "store/RegisterMail.h"

#include "store/RegisterChanges.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace RegisterMail {

StoreResult note(QSqlDatabase db, const QList<Prepared>& prepared, const IssuingProcess& by)
{
    return Transaction::run(db, [&]() -> StoreResult {
        SqlRunner sql(db);
        QList<RegisterChanges::Change> changes;
        for (const Prepared& one : prepared) {
            if (!sql.exec(QStringLiteral("SELECT 記録番号, メール FROM 発行記録 WHERE sha256 = ? "
                                         "ORDER BY 記録番号 DESC LIMIT 1"),
                          {one.sha256}))
                return StoreResult::failure(sql.error());
            if (!sql.query().next())
                continue;
            const qint64 id = sql.query().value(0).toLongLong();
            const QString before = sql.query().value(1).toString();
            sql.query().finish();
            if (before.isEmpty() &&
                !sql.exec(QStringLiteral("UPDATE 発行記録 SET メール = ? WHERE 記録番号 = ?"), {one.how, id}))
                return StoreResult::failure(sql.error());
            changes.append(RegisterChanges::now(id, RegisterChanges::MailPrepared, before, one.how, {}, by));
        }
        if (QString error; !RegisterChanges::addWithin(db, changes, &error))
            return StoreResult::failure(error);
        return StoreResult::success();
    });
}

} // namespace RegisterMail
