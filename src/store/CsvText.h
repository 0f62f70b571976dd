#pragma once
// Comma-separated text the way spreadsheet programs read it: UTF-8 with a byte-order mark,
// CRLF line ends, a field quoted when it holds a comma, a quote or a line break (quotes
// doubled). Every file the program writes as CSV goes through here.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace CsvText {

// One record, ended by CRLF.
QByteArray record(const QStringList& fields);

// A whole file: the byte-order mark, the header record, then the rows.
QByteArray document(const QStringList& header, const QList<QStringList>& rows);

// A spreadsheet runs a cell that begins with = + - @ (or a tab or CR before them) as a
// formula. Such a text is written with one leading apostrophe, which spreadsheets show as
// text; a text that already begins with apostrophes before such a character gets one more,
// so that unguarded(guarded(t)) == t for every t. `document` guards every field.
QString guarded(const QString& text);
QString unguarded(const QString& text);

// Writes `bytes` to `path` whole or not at all. Refuses anything but a regular file.
// On failure returns false and a Japanese reason in `error`.
bool save(const QString& path, const QByteArray& bytes, QString* error);

} // namespace CsvText
