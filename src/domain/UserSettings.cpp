#include "domain/UserSettings.h"

#include <QStandardPaths>

namespace UserSettings {

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Ledrium/Ledrium.conf");
}

} // namespace UserSettings
