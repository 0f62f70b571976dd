#pragma once
#include <QString>

// This user's own settings file, ~/.config/Ledrium/Ledrium.conf: what the program remembers
// per user rather than per data folder (the folder last used, the server to use).
namespace UserSettings {
QString path();
} // namespace UserSettings
