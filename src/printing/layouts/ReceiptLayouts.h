#pragma once
#include "report/ReportLayout.h"

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

// Exact text match; anything else (including "A4 x 4" and an empty text) gives Rpt領収証A44A.
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
