#include "receipt/TaxMarks.h"

#include "domain/AmountText.h"
#include "domain/StampDuty.h"
#include "report/ReportLayout.h"

#include <algorithm>

namespace TaxMarks {

namespace {
// Plain four-up layouts: the stamp under 「上記金額を領収致しました。」 right of the corner ornament,
// the number under the company texts, the tax line across the foot of the receipt.
const Places plainFourUp{{2330, 3740, 8200, 230}, {5882, 3470, 4606, 230}, QRect(2400, 2700, 1100, 1000)};
const Places counterfoil{{2300, 3740, 5850, 230}, {3827, 3490, 4323, 230}, QRect(2320, 2720, 1100, 1000)};
// Inside the frame: the stamp left of the proviso, the tax line and the number left of the
// company texts.
const Places framedFourUp{{1100, 2640, 4200, 230}, {1100, 2900, 4200, 230}, QRect(560, 1400, 1100, 1100)};
// Eight-up layouts have no room for a stamp. In a frame the tax line stands in three lines
// beside the amount, the number under the company texts clear of the frame's middle ornament.
const Places plainEightUp{{1790, 3570, 3760, 200}, {2041, 3340, 3458, 200}, std::nullopt, 8};
const Places framedEightUp{{4160, 1540, 1240, 575}, {450, 3330, 2100, 200}, std::nullopt, 8, true};
} // namespace

Places placesFor(const QString& layoutName)
{
    const QString kind = layoutName.right(4);
    if (kind == QLatin1String("A44B"))
        return counterfoil;
    if (kind == QLatin1String("A44D") || kind == QLatin1String("A44E"))
        return framedFourUp;
    if (kind == QLatin1String("A48A"))
        return plainEightUp;
    if (kind == QLatin1String("A48D") || kind == QLatin1String("A48E"))
        return framedEightUp;
    return plainFourUp;
}

void addTo(ReportLayout& layout, const PrintRequest& request, const QList<ConsumptionTax::TaxClass>& rowClasses)
{
    const Places places = placesFor(layout.name);
    auto add = [&layout, &places](const QString& name, const QRect& box, Qt::Alignment alignment, bool framed = false) {
        ReportControl c = Controls::field(name, 0, 0, 0, 0, places.points, alignment);
        c.box = box;
        c.framed = framed;
        layout.controls.append(c);
    };
    const bool qualified = request.Issuer == IssuerKind::Qualified;
    if (qualified && !request.RegistrationNumber.isEmpty())
        add(registrationControl(), places.registration, Qt::AlignLeft);
    if (ConsumptionTax::printsLine(request.TaxClass) || qualified ||
        std::any_of(rowClasses.cbegin(), rowClasses.cend(), ConsumptionTax::printsLine))
        add(taxLineControl(), places.taxLine, Qt::AlignLeft);
    const bool stampsDue = request.Issuer == IssuerKind::Qualified || request.Issuer == IssuerKind::Unregistered;
    if (stampsDue && places.stamp && request.PrintAmountFlag)
        add(stampControl(), *places.stamp, Qt::AlignHCenter, true);
}

Texts textsFor(const PrintRequest& request, const std::optional<qint64>& amount)
{
    Texts texts;
    const int rate = ConsumptionTax::rate(request.TaxClass);
    if (amount && rate > 0)
        texts.tax = ConsumptionTax::contained(*amount, rate, request.TaxRounding);
    if (amount) // due on paper whether or not the layout has a box for the stamp
        texts.stampDuty = StampDuty::due(request.Issuer, *amount, request.TaxClass, request.TaxRounding);
    const Places places = placesFor(request.paper.layoutName);
    if (request.Issuer == IssuerKind::Qualified && !request.RegistrationNumber.isEmpty())
        texts.registration = registrationText(request.RegistrationNumber);
    using ConsumptionTax::TaxClass;
    if (amount || request.TaxClass == TaxClass::Exempt)
        texts.taxLine = ConsumptionTax::line(request.TaxClass, texts.tax.value_or(0));
    else if (request.Issuer == IssuerKind::Qualified && request.TaxClass != TaxClass::Outside)
        texts.taxLine = ConsumptionTax::blankLine(); // a form without an amount: filled in by hand
    if (places.taxLineStacked) // before the rate, the amount, and after the reduced-rate mark
        texts.taxLine = texts.taxLine.replace(QStringLiteral("対象（"), QStringLiteral("対象\n（"))
                            .replace(QStringLiteral("等 　"), QStringLiteral("等\n　"))
                            .replace(QStringLiteral("　") + AmountText::YenSign, QStringLiteral("\n") + AmountText::YenSign);
    if (texts.stampDuty > 0)
        texts.stamp = stampCaption();
    return texts;
}

QString registrationText(const QString& number) { return QStringLiteral("登録番号 ") + number; }

} // namespace TaxMarks
