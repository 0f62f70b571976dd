#pragma once
#include <QString>

#include <optional>

// The stored own-company settings as the screens take them: a Null text is empty, and no era
// stored means "西暦". Nothing when the table is empty or cannot be read.
struct StoredSettings {
    QString era;
    QString companyName;
    QString companyInfo;

    static std::optional<StoredSettings> read();
};
