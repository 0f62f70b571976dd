#pragma once
#include <QString>

// Copies of the stored settings that other screens use; set only when the settings are read.
struct SettingCopies {
    QString SettingEra;
    QString SettingCompanyName;
    QString SettingCompanyInfo;

    static SettingCopies& current();
};
