#include "domain/CsvReader.h"

namespace CsvReader {

namespace {

bool isLineEnd(QChar c) { return c == u'\n' || c == u'\r'; }

// Position after the line end starting at `at` (CRLF counts as one).
qsizetype pastLineEnd(QStringView text, qsizetype at)
{
    return text.at(at) == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n' ? at + 2 : at + 1;
}

} // namespace

QList<Record> records(QStringView text, QChar separator)
{
    if (text.startsWith(QChar(0xFEFF)))
        text = text.mid(1);
    QList<Record> result;
    int line = 1;
    qsizetype at = 0;
    while (at < text.size()) {
        Record record;
        record.line = line;
        bool recordEnded = false;
        while (!recordEnded) {
            QString field;
            if (at < text.size() && text.at(at) == u'"') {
                ++at;
                bool closed = false;
                while (at < text.size()) {
                    const QChar c = text.at(at);
                    if (c == u'"') {
                        if (at + 1 < text.size() && text.at(at + 1) == u'"') {
                            field += u'"';
                            at += 2;
                            continue;
                        }
                        ++at;
                        closed = true;
                        break;
                    }
                    if (isLineEnd(c)) {
                        const qsizetype next = pastLineEnd(text, at);
                        field += text.mid(at, next - at);
                        at = next;
                        ++line;
                        continue;
                    }
                    field += c;
                    ++at;
                }
                record.unclosedQuote = record.unclosedQuote || !closed;
            }
            // Unquoted text, or what follows a closing quote, up to the separator or line end.
            const qsizetype start = at;
            while (at < text.size() && text.at(at) != separator && !isLineEnd(text.at(at)))
                ++at;
            field += text.mid(start, at - start);
            record.fields.append(field);
            if (at < text.size() && text.at(at) == separator) {
                ++at;
                continue;
            }
            if (at < text.size()) {
                at = pastLineEnd(text, at);
                ++line;
            }
            recordEnded = true;
        }
        result.append(record);
    }
    return result;
}

QChar guessSeparator(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && !isLineEnd(text.at(end)))
        ++end;
    const QStringView first = text.first(end);
    return first.count(u'\t') > first.count(u',') ? QChar(u'\t') : QChar(u',');
}

} // namespace CsvReader
