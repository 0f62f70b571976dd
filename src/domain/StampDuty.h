#pragma once
#include "domain/ConsumptionTax.h"
#include "domain/IssuerKind.h"

#include <QtGlobal>

// The revenue stamp a paper receipt needs.
namespace StampDuty {
// The duty on a receipt for `amount` yen: 0 below ¥50,000, then by the table up to ¥200,000
// above ¥1,000,000,000.
qint64 forAmount(qint64 amount);
// The duty on one receipt: none for a non-profit body or an issuer who chose no kind; the amount counted is the one paid less
// its tax when the receipt prints that tax.
qint64 due(IssuerKind issuer, qint64 amount, ConsumptionTax::TaxClass taxClass, ConsumptionTax::Rounding rounding);
} // namespace StampDuty
