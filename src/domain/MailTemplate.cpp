#include "domain/MailTemplate.h"

#include "domain/MailMessage.h"

using MailMessage::oneLine;

MailTemplate MailTemplate::standard(const QString& issuer)
{
    const QString signature = oneLine(issuer).trimmed();
    return {QStringLiteral("領収証の送付（{番号}）"),
            QStringLiteral("{氏名} 様\n\n"
                           "いつもお世話になっております。\n"
                           "{日付}付けの領収証（{番号}、金額 {金額} 円）を PDF ファイルでお送りします。\n"
                           "ご確認くださいますようお願いいたします。\n\n") +
                signature + u'\n'};
}

MailTemplate MailTemplate::filled(const Fields& fields) const
{
    // One pass, so that a name holding 「{金額}」 stays as it is.
    const auto fill = [&fields](const QString& text) {
        QString out;
        out.reserve(text.size() + 64);
        const std::pair<QString, QString> placeholders[] = {{QStringLiteral("{氏名}"), fields.name},
                                                            {QStringLiteral("{金額}"), fields.amount},
                                                            {QStringLiteral("{番号}"), fields.number},
                                                            {QStringLiteral("{日付}"), fields.date}};
        for (qsizetype at = 0; at < text.size();) {
            bool replaced = false;
            for (const auto& [placeholder, value] : placeholders)
                if (QStringView(text).mid(at).startsWith(placeholder)) {
                    out += oneLine(value);
                    at += placeholder.size();
                    replaced = true;
                    break;
                }
            if (!replaced)
                out += text.at(at++);
        }
        return out;
    };
    return {oneLine(fill(subject)), fill(body)};
}
