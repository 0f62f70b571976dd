#include "store/ArchiveFolder.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace ArchiveFolder {

std::optional<QString> read(QSqlDatabase db)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("SELECT フォルダ FROM 保存先")))
        return std::nullopt;
    return sql.query().next() ? sql.query().value(0).toString() : QString();
}

StoreResult write(QSqlDatabase db, const QString& folder)
{
    return Transaction::run(db, [&]() -> StoreResult {
        SqlRunner sql(db);
        if (!sql.exec(QStringLiteral("DELETE FROM 保存先")) ||
            (!folder.isEmpty() && !sql.exec(QStringLiteral("INSERT INTO 保存先 (フォルダ) VALUES (?)"), {folder})))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace ArchiveFolder
