#pragma once
#include "report/ReportLayout.h"

#include <optional>

// A paper type as the user chooses it, and the layout it prints in.
struct ReceiptPaper {
    QString name;       // "A4 x 8 T3"
    QString layoutName; // "Rpt領収証A48D"
    bool eightUp = false;
    ReportLayout (*make)() = nullptr;

    ReportLayout layout() const { return make(); }
};

// The eight receipt layouts and the paper type that selects each.
namespace ReceiptLayouts {

ReportLayout Rpt領収証A44A();
ReportLayout Rpt領収証A44B();
ReportLayout Rpt領収証A44C();
ReportLayout Rpt領収証A44D();
ReportLayout Rpt領収証A44E();
ReportLayout Rpt領収証A48A();
ReportLayout Rpt領収証A48D();
ReportLayout Rpt領収証A48E();

// The paper types in the order the print options offer them; "A4 x 4" first.
const QList<ReceiptPaper>& papers();
ReceiptPaper defaultPaper();
// Exact text match, or nothing.
std::optional<ReceiptPaper> findPaper(const QString& paperType);
// Exact text match; anything else (including an empty text) gives "A4 x 4" (Rpt領収証A44A).
ReceiptPaper paperOrDefault(const QString& paperType);
ReportLayout forPaperType(const QString& paperType);
// The layout of that name, or Rpt領収証A44A.
ReportLayout byName(const QString& layoutName);
QStringList names();

// Shared by the layout tables.
inline constexpr Qt::Alignment Left = Qt::AlignLeft;
inline constexpr Qt::Alignment Centre = Qt::AlignHCenter;
QColor darkTeal();
QString caption();
QString designTitle();
inline const QString NameColumn = QStringLiteral("顧客名");
inline const QString AmountColumn = QStringLiteral("領収額");
inline const QString ProvisoColumn = QStringLiteral("但書");

} // namespace ReceiptLayouts
