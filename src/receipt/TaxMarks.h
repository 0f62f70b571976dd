#pragma once
#include "receipt/PrintRequest.h"

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

struct ReportLayout;

// What a receipt shows for tax and stamp duty: the issuer's registration number beside the
// company texts, the tax line, and the dashed box where a revenue stamp goes. Each layout has
// its own free places for them, clear of its controls and artwork; a run that asks for none of
// them gets none of these controls.
namespace TaxMarks {

inline QString taxLineControl() { return QStringLiteral("txt消費税"); }
inline QString registrationControl() { return QStringLiteral("txt登録番号"); }
inline QString stampControl() { return QStringLiteral("Lbl収入印紙"); }
inline QString stampCaption() { return QStringLiteral("収入印紙"); }

struct Places {
    QRect taxLine;
    QRect registration;
    std::optional<QRect> stamp; // only where the layout has room for a stamp
    qreal points = 9;
    bool taxLineStacked = false; // broken into short lines for a narrow place
};
Places placesFor(const QString& layoutName);

// Adds the controls the request calls for, and the tax line where any of `rowClasses` (the
// rows' own classes) prints one.
void addTo(ReportLayout& layout, const PrintRequest& request, const QList<ConsumptionTax::TaxClass>& rowClasses = {});

// One receipt's tax and stamp duty, and its texts (empty where the receipt shows nothing).
struct Texts {
    QString taxLine;
    QString registration;
    QString stamp;
    std::optional<qint64> tax; // the tax printed
    qint64 stampDuty = 0;
};
// `amount`: the amount printed, whole yen; nothing when the receipt shows none.
Texts textsFor(const PrintRequest& request, const std::optional<qint64>& amount);
// The registration number as printed: 「登録番号 T1234567890123」.
QString registrationText(const QString& number);

} // namespace TaxMarks
