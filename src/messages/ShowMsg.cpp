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
