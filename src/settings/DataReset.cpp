#include "settings/DataReset.h"

#include "messages/ShowMsg.h"
#include "store/DataInitialisation.h"

namespace DataReset {

bool run()
{
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                 QStringLiteral("すべてのデータを初期化します。")))
        return false;
    // A register that vanishes with the rest defeats its purpose: it stays unless asked.
    // The law for electronic records asks the issuer to keep them: a deletion is asked twice.
    // Its record of changes and the kept PDF files stay in any case.
    const auto issuedReceipts =
        ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                QStringLiteral("発行記録（これまでに発行した領収証の記録）も削除します")) &&
                ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                        QStringLiteral("電子帳簿保存法では、発行した領収証の記録と控えを定められた期間（原則７年間）"
                                       "保存することが求められます。保存期間を過ぎていない記録は削除しないでください。\n"
                                       "（保存した PDF ファイルと変更の記録は削除されません）\n"
                                       "それでも発行記録を削除します"))
            ? DataInitialisation::Register::Wipe
            : DataInitialisation::Register::Keep;
    const StoreResult result = DataInitialisation::wipeMainData(issuedReceipts);
    if (!result) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("データを初期化できませんでした。データは変更されていません。\n") + result.error);
        return false;
    }
    ShowMsg(QStringLiteral("その他"), QStringLiteral("メッセージ"), QStringLiteral("すべてのデータを初期化しました"));
    return true;
}

} // namespace DataReset
