#include "messages/ShowMsg.h"

#include "messages/MessageCatalogue.h"
#include "messages/MessagePresenter.h"

bool ShowMsg(const QString& kind, const QString& subKind, const QString& text)
{
    const std::optional<MessageBoxSpec> box = MessageCatalogue::find(kind, subKind, text);
    if (!box)
        return false;
    const bool yes = MessagePresenter::current().present(*box);
    return yes && (box->style == MessageStyle::AskYes || box->style == MessageStyle::AskNo);
}

void ShowWriteFailure(const QString& what, const QString& reason)
{
    ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
            what + QStringLiteral("を保存できませんでした。データは変更されていません。\n") + reason);
}

bool ShowSaveFailure(const QString& what, const StoreResult& failure)
{
    if (!failure.outdated) {
        ShowWriteFailure(what, failure.error);
        return false;
    }
    // Yes throws the screen's edits away: Enter must not answer it.
    return ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                   failure.error + QStringLiteral("\n\n登録されている内容を読み込み直し、この画面の変更を捨てます"));
}
