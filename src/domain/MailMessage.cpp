#include "domain/MailMessage.h"

#include <QLocale>
#include <QUuid>

namespace MailMessage {

namespace {

const QByteArray Crlf = QByteArrayLiteral("\r\n");
constexpr int LineLength = 76;

// Base64 in lines of 76 characters, each ended by CRLF.
QByteArray base64Lines(const QByteArray& bytes)
{
    const QByteArray encoded = bytes.toBase64();
    QByteArray out;
    out.reserve(encoded.size() + encoded.size() / LineLength * 2 + 2);
    for (qsizetype at = 0; at < encoded.size(); at += LineLength)
        out += encoded.mid(at, LineLength) + Crlf;
    return out;
}

// "Name <address>", the name as encoded words; the address alone when there is no name.
QByteArray mailbox(const QString& name, const QString& address)
{
    const QString shown = oneLine(name).trimmed();
    if (shown.isEmpty())
        return oneLine(address).toLatin1();
    // The address on a line of its own: the last word may already fill its line.
    return encodedWords(shown) + Crlf + " <" + oneLine(address).toLatin1() + '>';
}

// The RFC 2231 form of a file name: "filename*0*=UTF-8''%E5…;" continued over lines short
// enough for any mail program, never cutting a %XX escape.
QByteArray extendedParameter(const QByteArray& parameter, const QString& value)
{
    const QByteArray escaped = oneLine(value).toUtf8().toPercentEncoding("!#$&+-.^_`|~");
    QList<QByteArray> pieces;
    qsizetype at = 0;
    while (at < escaped.size()) {
        qsizetype end = std::min<qsizetype>(at + 54, escaped.size());
        if (end < escaped.size()) { // step back to before an escape cut in two
            if (escaped.at(end - 1) == '%')
                end -= 1;
            else if (escaped.at(end - 2) == '%')
                end -= 2;
        }
        pieces.append(escaped.mid(at, end - at));
        at = end;
    }
    if (pieces.isEmpty())
        pieces.append(QByteArray());
    QByteArray out;
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        out += (i == 0 ? QByteArray() : QByteArray(";") + Crlf + ' ') + parameter + '*' + QByteArray::number(i) + '*' + '=';
        out += (i == 0 ? QByteArray("UTF-8''") : QByteArray()) + pieces.at(i);
    }
    return out;
}

// "Fri, 11 Dec 2026 17:03:10 +0900" in English whatever the user's language.
QByteArray dateLine(const QDateTime& when)
{
    const int offset = when.offsetFromUtc() / 60;
    const QString zone = QStringLiteral("%1%2")
                             .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(std::abs(offset) / 60 * 100 + std::abs(offset) % 60, 4, 10, QLatin1Char('0'));
    return (QLocale::c().toString(when, QStringLiteral("ddd, d MMM yyyy HH:mm:ss ")) + zone).toLatin1();
}

QByteArray header(const char* name, const QByteArray& value) { return QByteArray(name) + ": " + value + Crlf; }

} // namespace

QString oneLine(QString text)
{
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return text;
}

QByteArray encodedWords(const QString& text)
{
    const QString line = oneLine(text);
    // "=?UTF-8?B?" + 52 base64 characters (39 bytes) + "?=" = 64 characters: with the longest
    // header name before it, a line stays within 78.
    constexpr qsizetype MostBytes = 39;
    QList<QByteArray> words;
    QByteArray chunk;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const qsizetype width = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
        const QByteArray character = line.mid(i, width).toUtf8();
        i += width - 1;
        if (chunk.size() + character.size() > MostBytes) {
            words.append(chunk);
            chunk.clear();
        }
        chunk += character;
    }
    if (!chunk.isEmpty() || words.isEmpty())
        words.append(chunk);
    QByteArray out;
    for (const QByteArray& word : words)
        out += (out.isEmpty() ? QByteArray() : Crlf + ' ') + "=?UTF-8?B?" + word.toBase64() + "?=";
    return out;
}

QByteArray write(const Parts& parts)
{
    const QByteArray boundary = "=_" + QUuid::createUuid().toByteArray(QUuid::Id128);
    QString id = oneLine(parts.messageId).remove(u' ');
    if (id.isEmpty()) {
        const QString domain = parts.from.section(u'@', 1);
        id = QUuid::createUuid().toString(QUuid::WithoutBraces) + u'@' +
             (domain.isEmpty() ? QStringLiteral("ledrium.invalid") : domain);
    }
    QByteArray out;
    if (!parts.from.isEmpty())
        out += header("From", mailbox(parts.fromName, parts.from));
    out += header("To", mailbox(parts.toName, parts.to));
    out += header("Subject", encodedWords(parts.subject));
    out += header("Date", dateLine(parts.date));
    out += header("Message-ID", '<' + id.toLatin1() + '>');
    out += header("MIME-Version", "1.0");
    // Opened in a mail program, the message is a draft to send, not one received.
    out += header("X-Unsent", "1");
    out += header("Content-Type", "multipart/mixed; boundary=\"" + boundary + '"');
    out += Crlf + "This is a message in MIME format." + Crlf;

    QString body = parts.body;
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    body.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    out += "--" + boundary + Crlf;
    out += header("Content-Type", "text/plain; charset=UTF-8");
    out += header("Content-Transfer-Encoding", "base64");
    out += Crlf + base64Lines(body.toUtf8());

    out += "--" + boundary + Crlf;
    out += header("Content-Type", "application/pdf;" + Crlf + " name=\"" + encodedWords(parts.fileName) + '"');
    out += header("Content-Transfer-Encoding", "base64");
    out += header("Content-Disposition", "attachment;" + Crlf + ' ' + extendedParameter("filename", parts.fileName));
    out += Crlf + base64Lines(parts.pdf);
    out += "--" + boundary + "--" + Crlf;
    return out;
}

} // namespace MailMessage
