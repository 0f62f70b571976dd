#include "settings/DataReset.h"

#include "messages/ShowMsg.h"
#include "store/DataInitialisation.h"

namespace DataReset {

void run()
{
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("確認"), QStringLiteral("すべてのデータを初期化します。")))
        return;
    const StoreResult result = DataInitialisation::wipeMainData();
    if (!result) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("データを初期化できませんでした。データは変更されていません。\n") + result.error);
        return;
    }
    ShowMsg(QStringLiteral("その他"), QStringLiteral("メッセージ"), QStringLiteral("すべてのデータを初期化しました"));
}

} // namespace DataReset
