#include "printing/layouts/ReceiptLayouts.h"

#include <functional>

namespace ReceiptLayouts {

QColor darkTeal() { return QColor(0, 64, 64); }
QString caption() { return QStringLiteral("領収証印刷"); }
QString designTitle() { return QStringLiteral("領 収 証"); }

namespace {
struct Entry {
    const char* paperType;
    const char* layoutName;
    ReportLayout (*make)();
};

const Entry entries[] = {
    {"A4 x 4 控付", "Rpt領収証A44B", Rpt領収証A44B},
    {"A4 x 4 T2", "Rpt領収証A44C", Rpt領収証A44C},
    {"A4 x 4 T3", "Rpt領収証A44D", Rpt領収証A44D},
    {"A4 x 4 T4", "Rpt領収証A44E", Rpt領収証A44E},
    {"A4 x 8", "Rpt領収証A48A", Rpt領収証A48A},
    {"A4 x 8 T3", "Rpt領収証A48D", Rpt領収証A48D},
    {"A4 x 8 T4", "Rpt領収証A48E", Rpt領収証A48E},
};
} // namespace

ReportLayout forPaperType(const QString& paperType)
{
    for (const Entry& entry : entries)
        if (paperType == QString::fromUtf8(entry.paperType))
            return entry.make();
    return Rpt領収証A44A();
}

ReportLayout byName(const QString& layoutName)
{
    for (const Entry& entry : entries)
        if (layoutName == QString::fromUtf8(entry.layoutName))
            return entry.make();
    return Rpt領収証A44A();
}

QStringList names()
{
    QStringList result{QStringLiteral("Rpt領収証A44A")};
    for (const Entry& entry : entries)
        result.append(QString::fromUtf8(entry.layoutName));
    return result;
}

} // namespace ReceiptLayouts
