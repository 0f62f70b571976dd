#pragma once
// What a PDF file says, read back with pdftotext as a user's viewer would show it.
#include "TestText.h"

#include <QProcess>
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
