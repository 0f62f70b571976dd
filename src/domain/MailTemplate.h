#pragma once
#include <QString>

// The subject and text of the messages receipts are mailed with, and how they are filled in:
// 「{氏名}」「{金額}」「{番号}」「{日付}」 stand for the receipt's name, amount and number as printed
// and its date text.
struct MailTemplate {
    QString subject;
    QString body;

    struct Fields {
        QString name;
        QString amount;
        QString number;
        QString date;
    };

    // What a user who changed nothing gets; the body names the issuer.
    static MailTemplate standard(const QString& issuer);
    // The template with its placeholders replaced. A field's line breaks become blanks: a name
    // never starts a line (nor, in the subject, a header) of its own.
    MailTemplate filled(const Fields& fields) const;

    bool operator==(const MailTemplate&) const = default;
};
