#pragma once
#include "domain/ConsumptionTax.h"
#include "domain/IssuerKind.h"
#include "receipt/PrintRequest.h"

#include <QString>
#include <QVariant>

#include <optional>

// The stored own-company settings as the screens take them: a Null text is empty, and no era
// stored means "西暦". Nothing when the table is empty or cannot be read.
struct StoredSettings {
    static inline const QString DefaultEra = QStringLiteral("西暦");

    QString era = DefaultEra;
    QString companyName;
    QString companyInfo;
    QVariant lastReceiptNumber; // as stored; Null when none
    IssuerKind issuer = IssuerKind::Unset;
    QString registrationNumber;
    ConsumptionTax::Rounding rounding = ConsumptionTax::Rounding::Down;

    static std::optional<StoredSettings> read();
    // Who issues, the registration number and the rounding, into a run's request.
    void fillIssuer(PrintRequest& request) const;
};
