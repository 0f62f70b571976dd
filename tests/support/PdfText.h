#pragma once
// What a PDF file says, read back with pdftotext as a user's viewer would show it.
#include "TestText.h"

#include <QProcess>
#include <QRectF>
#include <QSet>
#include <QSize>
#include <QRegularExpression>
#include <QStringList>

// The file's text: "-layout" keeps the page's arrangement, "-raw" the drawing order.
inline QString pdfText(const QString& pdf, const char* mode = "-layout")
{
    QProcess text;
    text.start(u("pdftotext"), {u(mode), pdf, u("-")});
    text.waitForFinished();
    return QString::fromUtf8(text.readAllStandardOutput());
}

// The receipt numbers printed in a PDF file, in page order, each once.
inline QStringList numbersIn(const QString& pdf)
{
    QStringList numbers;
    static const QRegularExpression number(u("(?<![0-9,])[0-9]{5}(?![0-9,])"));
    for (const QRegularExpressionMatch& match : number.globalMatch(pdfText(pdf, "-raw")))
        if (!numbers.contains(match.captured()))
            numbers << match.captured();
    return numbers;
}

// How many image objects of that pixel size the file holds.
inline int imageObjects(const QString& pdf, const QSize& pixels)
{
    QProcess list;
    list.start(u("pdfimages"), {u("-list"), pdf});
    list.waitForFinished(60000);
    const QStringList lines = QString::fromUtf8(list.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    QSet<QString> objects;
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 11 && fields.at(2) == u("image") && fields.at(3).toInt() == pixels.width() &&
            fields.at(4).toInt() == pixels.height())
            objects.insert(fields.at(10) + u' ' + fields.at(11));
    }
    return int(objects.size());
}

struct PdfWord {
    QString text;
    QRectF box; // points
};

// Every word of the file with its box, as pdftotext finds them.
inline QList<PdfWord> pdfWords(const QString& path)
{
    QProcess p;
    p.start(u("pdftotext"), {u("-bbox"), path, u("-")});
    if (!p.waitForFinished(60000))
        return {};
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        u(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        QString text = m.captured(5);
        text.replace(u("&amp;"), u("&")).replace(u("&lt;"), u("<")).replace(u("&gt;"), u(">"));
        words.append({text, QRectF(topLeft, bottomRight)});
    }
    return words;
}
