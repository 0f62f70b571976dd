#pragma once
#include <QString>

// Copies of the stored settings that the receipt form uses; the window holds them and sets
// them only when the settings are read.
struct SettingCopies {
    QString SettingEra;
    QString SettingCompanyName;
    QString SettingCompanyInfo;
};
