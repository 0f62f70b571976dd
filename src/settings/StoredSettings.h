#pragma once
#include <QString>
#include <QVariant>

#include <optional>

// The stored own-company settings as the screens take them: a Null text is empty, and no era
// stored means "西暦". Nothing when the table is empty or cannot be read.
struct StoredSettings {
    static inline const QString DefaultEra = QStringLiteral("西暦");

    QString era;
    QString companyName;
    QString companyInfo;
    QVariant lastReceiptNumber; // as stored; Null when none

    static std::optional<StoredSettings> read();
};
