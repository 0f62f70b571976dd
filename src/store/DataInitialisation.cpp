#include "store/DataInitialisation.h"

#include "store/Connections.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace DataInitialisation {

StoreResult wipeMainData(Register issuedReceipts)
{
    return Transaction::run(Connections::mainDb(), [issuedReceipts] {
        SqlRunner sql(Connections::mainDb());
        for (const char* statement :
             {"DELETE FROM 顧客マスタ", "DELETE FROM 自社情報", "UPDATE コードマスタ SET sname = NULL",
              // a screen loaded before the wipe then cannot register its list back over it
              "UPDATE 保存版 SET 版 = 版 + 1"})
            if (!sql.exec(QString::fromUtf8(statement)))
                return StoreResult::failure(sql.error());
        if (issuedReceipts == Register::Wipe && !sql.exec(QStringLiteral("DELETE FROM 発行記録")))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace DataInitialisation
