#include "store/CsvText.h"

#include "store/OwnFiles.h"
#include "store/WriteFailure.h"

#include <QFileInfo>
#include <QSaveFile>

namespace CsvText {

namespace {

bool startsAFormula(QChar first)
{
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' || first == u'\r';
}

// Apostrophes at the start, then a character a spreadsheet would run as a formula.
bool looksLikeFormula(const QString& text)
{
    qsizetype at = 0;
    while (at < text.size() && text.at(at) == u'\'')
        ++at;
    return at < text.size() && startsAFormula(text.at(at));
}

QString quoted(const QString& field)
{
    const bool needsQuotes = field.contains(u',') || field.contains(u'"') || field.contains(u'\n')
                             || field.contains(u'\r');
    if (!needsQuotes)
        return field;
    QString inner = field;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

} // namespace

QString guarded(const QString& text)
{
    return looksLikeFormula(text) ? u'\'' + text : text;
}

QString unguarded(const QString& text)
{
    return text.startsWith(u'\'') && looksLikeFormula(text) ? text.mid(1) : text;
}

QByteArray record(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& field : fields)
        out.append(quoted(guarded(field)));
    return out.join(u',').toUtf8() + "\r\n";
}

QByteArray document(const QStringList& header, const QList<QStringList>& rows)
{
    QByteArray bytes("\xEF\xBB\xBF");
    bytes += record(header);
    for (const QStringList& row : rows)
        bytes += record(row);
    return bytes;
}

bool save(const QString& path, const QByteArray& bytes, QString* error)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (const QString own = OwnFiles::refusal(path); !own.isEmpty())
        return fail(own);
    // Renaming over a device or a pipe would replace it rather than write into it.
    if (const QFileInfo target(path); target.exists() && !target.isFile())
        return fail(QStringLiteral("通常のファイルではないため、書き込めません。"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(WriteFailure::describe(file, path, bytes.size()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(WriteFailure::describe(file, path, bytes.size()));
    return true;
}

} // namespace CsvText
