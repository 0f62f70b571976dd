#include "settings/DataReset.h"

#include "messages/ShowMsg.h"
#include "store/DataInitialisation.h"

namespace DataReset {

bool run()
{
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                 QStringLiteral("すべてのデータを初期化します。")))
        return false;
    const StoreResult result = DataInitialisation::wipeMainData();
    if (!result) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("データを初期化できませんでした。データは変更されていません。\n") + result.error);
        return false;
    }
    ShowMsg(QStringLiteral("その他"), QStringLiteral("メッセージ"), QStringLiteral("すべてのデータを初期化しました"));
    return true;
}

} // namespace DataReset
