#include "store/UsualAmountColumn.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace UsualAmountColumn {

QString ensure(QSqlDatabase db)
{
    const StoreResult made = Transaction::run(db, [&db] {
        SqlRunner sql(db);
        if (!sql.exec(QStringLiteral("SELECT count(*) FROM pragma_table_info('顧客マスタ') WHERE name = '領収額'")) ||
            !sql.query().next())
            return StoreResult::failure(sql.error());
        if (sql.query().value(0).toInt() > 0)
            return StoreResult::success();
        sql.query().finish();
        if (!sql.exec(QStringLiteral("ALTER TABLE 顧客マスタ ADD COLUMN 領収額 INTEGER")))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return made ? QString() : QStringLiteral("顧客マスタに金額の欄を加えられません：") + made.error;
}

} // namespace UsualAmountColumn
