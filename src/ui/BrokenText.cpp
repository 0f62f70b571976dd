#include "ui/BrokenText.h"

#include "messages/ShowMsg.h"

namespace BrokenText {

bool refuse(const QString& text)
{
    if (!isBroken(text))
        return false;
    ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
            QStringLiteral("壊れた文字（対になっていないサロゲート）が含まれているため、入力を取り消しました。"));
    return true;
}

} // namespace BrokenText
