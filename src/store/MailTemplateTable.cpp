#include "store/MailTemplateTable.h"

#include "store/Connections.h"
#include "store/SavedVersions.h"
#include "store/SqlRunner.h"

namespace MailTemplateTable {

std::optional<Stored> read()
{
    const QSqlDatabase db = Connections::mainDb();
    const std::optional<qint64> version = SavedVersions::stored(db, SavedVersions::mailTemplate());
    SqlRunner sql(db);
    if (!version || !sql.exec(QStringLiteral("SELECT メール件名, メール本文, メール差出人 FROM 自社情報 ORDER BY rowid LIMIT 1")))
        return std::nullopt;
    Stored stored;
    stored.version = *version;
    if (sql.query().next()) {
        const QSqlQuery& q = sql.query();
        const auto text = [&q](int column) { return q.isNull(column) ? std::nullopt : std::optional(q.value(column).toString()); };
        stored.subject = text(0);
        stored.body = text(1);
        stored.from = q.value(2).toString();
    }
    return stored;
}

StoreResult write(const QString& subject, const QString& body, const QString& from, std::optional<qint64> loaded,
                  qint64* saved)
{
    const QSqlDatabase db = Connections::mainDb();
    return SavedVersions::save(db, SavedVersions::mailTemplate(), loaded, saved, [&] {
        SqlRunner sql(db);
        const QVariantList values = {subject, body, from};
        if (!sql.exec(QStringLiteral("UPDATE 自社情報 SET メール件名 = ?, メール本文 = ?, メール差出人 = ? "
                                     "WHERE rowid = (SELECT min(rowid) FROM 自社情報)"),
                      values))
            return StoreResult::failure(sql.error());
        if (sql.query().numRowsAffected() == 0 &&
            !sql.exec(QStringLiteral("INSERT INTO 自社情報 (メール件名, メール本文, メール差出人) VALUES (?, ?, ?)"), values))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace MailTemplateTable
