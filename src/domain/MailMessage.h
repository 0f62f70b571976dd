#pragma once
#include <QByteArray>
#include <QDateTime>
#include <QString>

// One ready-to-send e-mail (an .eml file, RFC 5322 and MIME): a UTF-8 text and one PDF file
// attached. Every header is ASCII; whatever a text holds, a line break in it never starts a
// header of its own: names and the subject go out as encoded words, and line breaks in them
// become blanks.
namespace MailMessage {

struct Parts {
    QString from;        // the sender's address; empty: no From line, the mail program adds its own
    QString fromName;    // shown beside it
    QString to;          // the recipient's address (MailAddress::problem() empty)
    QString toName;      // shown beside it
    QString subject;
    QString body;        // line breaks as typed; sent as CRLF
    QString fileName;    // of the attachment
    QByteArray pdf;
    QDateTime date;      // the Date line, with its offset from UTC
    QString messageId;   // without the angle brackets; empty: one is made
};

QByteArray write(const Parts& parts);

// RFC 2047 "B" encoded words of `text` (UTF-8), each at most 75 characters, never splitting a
// character, joined by CRLF and a blank (a folded header line).
QByteArray encodedWords(const QString& text);

// `text` with its line breaks and other control characters made blanks.
QString oneLine(QString text);

} // namespace MailMessage
