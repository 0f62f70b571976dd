#include "ui/RecentFolder.h"

#include "domain/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace RecentFolder {

namespace {

const QString Key = QStringLiteral("files/lastFolder");

QSettings userSettings()
{
    return QSettings(UserSettings::path(), QSettings::IniFormat);
}

} // namespace

QString suggest(const QString& fileName)
{
    QString folder = userSettings().value(Key).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

void remember(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    QSettings settings = userSettings();
    settings.setValue(Key, QFileInfo(chosenPath).absolutePath());
}

} // namespace RecentFolder
