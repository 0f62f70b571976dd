#include "domain/MemberFileName.h"

#include <QStringList>
#include <QTextBoundaryFinder>

namespace MemberFileName {

namespace {

// Linux takes 255 bytes per name; room is left for a "_2" that keeps a name unique.
constexpr qsizetype MostBytes = 240;
constexpr qsizetype MostCharacters = 200;

QString safe(const QString& text)
{
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString out;
    for (const QChar c : text)
        out += c.isSpace() || c.category() == QChar::Other_Control || refused.contains(c) ? QChar(u'_') : c;
    // A leading dot hides a file; trailing dots are dropped by some systems.
    while (out.startsWith(u'.'))
        out[0] = u'_';
    return out;
}

bool fits(const QString& fileName)
{
    return fileName.size() <= MostCharacters && fileName.toUtf8().size() <= MostBytes;
}

} // namespace

QString of(const QDate& day, const QString& name, const QString& amount, const QString& number)
{
    QString head = day.toString(QStringLiteral("yyyyMMdd")) + u'_';
    QString tail;
    if (!amount.isEmpty())
        tail += u'_' + safe(amount);
    if (!number.isEmpty())
        tail += QStringLiteral("_No") + safe(number);
    tail += QStringLiteral(".pdf");
    QString middle = safe(name);
    if (middle.isEmpty())
        middle = QStringLiteral("氏名なし");
    // Cut at the end of a whole character (a base letter with its marks, a surrogate pair).
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, middle);
    while (!middle.isEmpty() && !fits(head + middle + tail)) {
        characters.setPosition(middle.size());
        middle.truncate(std::max<qsizetype>(0, characters.toPreviousBoundary()));
        characters = QTextBoundaryFinder(QTextBoundaryFinder::Grapheme, middle);
    }
    return head + middle + tail;
}

QString unique(const QString& fileName, const std::function<bool(const QString&)>& taken)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    const QString stem = dot > 0 ? fileName.left(dot) : fileName;
    const QString extension = dot > 0 ? fileName.mid(dot) : QString();
    QString candidate = fileName;
    for (int n = 2; taken(candidate); ++n)
        candidate = stem + u'_' + QString::number(n) + extension;
    return candidate;
}

} // namespace MemberFileName
