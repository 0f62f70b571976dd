#include "report/SvgSafety.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace SvgSafety {

namespace {

const QString outside = QStringLiteral("この SVG ファイルはほかのファイルやスクリプトを使っているため、印影に使えません。");

// A url(...) that points anywhere but into this document.
bool refersOutside(QStringView text)
{
    static const QRegularExpression url(QStringLiteral(R"(url\s*\(\s*['"]?\s*([^'"\s)]?))"),
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression import(QStringLiteral(R"(@import)"), QRegularExpression::CaseInsensitiveOption);
    if (import.match(text).hasMatch())
        return true;
    for (auto it = url.globalMatch(text); it.hasNext();)
        if (it.next().captured(1) != QLatin1String("#"))
            return true;
    return false;
}

} // namespace

QString refusal(const QByteArray& svg)
{
    QXmlStreamReader xml(svg);
    bool root = true;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::EntityReference:
        case QXmlStreamReader::ProcessingInstruction:
            return outside;
        case QXmlStreamReader::StartElement: {
            const QStringView name = xml.name();
            if (root && name != QLatin1String("svg"))
                return QStringLiteral("SVG ファイルではありません。");
            root = false;
            if (name.compare(QLatin1String("script"), Qt::CaseInsensitive) == 0 ||
                name.compare(QLatin1String("foreignObject"), Qt::CaseInsensitive) == 0)
                return outside;
            for (const QXmlStreamAttribute& attribute : xml.attributes()) {
                const QStringView attributeName = attribute.name();
                const QStringView value = attribute.value();
                if (attributeName.startsWith(QLatin1String("on"), Qt::CaseInsensitive))
                    return outside;
                if (attributeName == QLatin1String("href") && !value.trimmed().startsWith(QLatin1Char('#')))
                    return outside;
                if (refersOutside(value))
                    return outside;
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (refersOutside(xml.text()))
                return outside;
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || root)
        return QStringLiteral("SVG ファイルが壊れているため、読めません。");
    return {};
}

} // namespace SvgSafety
