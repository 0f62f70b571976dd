#include "receipt/layouts/ReceiptLayouts.h"


namespace ReceiptLayouts {

QColor darkTeal() { return QColor(0, 64, 64); }
QString caption() { return QStringLiteral("領収証印刷"); }
QString designTitle() { return QStringLiteral("領 収 証"); }

const QList<ReceiptPaper>& papers()
{
    static const QList<ReceiptPaper> all = {
        {QStringLiteral("A4 x 4"), QStringLiteral("Rpt領収証A44A"), false, Rpt領収証A44A},
        {QStringLiteral("A4 x 4 控付"), QStringLiteral("Rpt領収証A44B"), false, Rpt領収証A44B},
        {QStringLiteral("A4 x 4 T2"), QStringLiteral("Rpt領収証A44C"), false, Rpt領収証A44C},
        {QStringLiteral("A4 x 4 T3"), QStringLiteral("Rpt領収証A44D"), false, Rpt領収証A44D},
        {QStringLiteral("A4 x 4 T4"), QStringLiteral("Rpt領収証A44E"), false, Rpt領収証A44E},
        {QStringLiteral("A4 x 8"), QStringLiteral("Rpt領収証A48A"), true, Rpt領収証A48A},
        {QStringLiteral("A4 x 8 T3"), QStringLiteral("Rpt領収証A48D"), true, Rpt領収証A48D},
        {QStringLiteral("A4 x 8 T4"), QStringLiteral("Rpt領収証A48E"), true, Rpt領収証A48E},
    };
    return all;
}

ReceiptPaper defaultPaper() { return papers().first(); }

std::optional<ReceiptPaper> findPaper(const QString& paperType)
{
    for (const ReceiptPaper& paper : papers())
        if (paper.name == paperType)
            return paper;
    return std::nullopt;
}

ReceiptPaper paperOrDefault(const QString& paperType) { return findPaper(paperType).value_or(defaultPaper()); }

ReportLayout forPaperType(const QString& paperType) { return paperOrDefault(paperType).layout(); }

ReportLayout byName(const QString& layoutName)
{
    for (const ReceiptPaper& paper : papers())
        if (paper.layoutName == layoutName)
            return paper.layout();
    return Rpt領収証A44A();
}

QStringList names()
{
    QStringList result;
    for (const ReceiptPaper& paper : papers())
        result.append(paper.layoutName);
    return result;
}

} // namespace ReceiptLayouts
