#include "domain/StampDuty.h"

#include <array>

namespace StampDuty {

namespace {
struct Step {
    qint64 upTo; // inclusive
    qint64 duty;
};
const std::array<Step, 14> table{{
    {49'999, 0},
    {1'000'000, 200},
    {2'000'000, 400},
    {3'000'000, 600},
    {5'000'000, 1'000},
    {10'000'000, 2'000},
    {20'000'000, 4'000},
    {30'000'000, 6'000},
    {50'000'000, 10'000},
    {100'000'000, 20'000},
    {200'000'000, 40'000},
    {300'000'000, 60'000},
    {500'000'000, 100'000},
    {1'000'000'000, 150'000},
}};
const qint64 aboveTable = 200'000;
} // namespace

qint64 forAmount(qint64 amount)
{
    for (const Step& step : table)
        if (amount <= step.upTo)
            return step.duty;
    return aboveTable;
}

qint64 due(IssuerKind issuer, qint64 amount, ConsumptionTax::TaxClass taxClass, ConsumptionTax::Rounding rounding)
{
    if (issuer == IssuerKind::Unset || issuer == IssuerKind::NonProfit)
        return 0;
    const int rate = ConsumptionTax::rate(taxClass);
    const qint64 tax = rate > 0 ? ConsumptionTax::contained(amount, rate, rounding) : 0;
    return forAmount(amount - tax);
}

} // namespace StampDuty
