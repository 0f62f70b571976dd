#include "app/DataFolder.h"

#include "store/DataPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

bool copyTemplates(const QString& templates, const QString& target)
{
    // Built in a new folder of its own beside the target and renamed, so that a failed first
    // start leaves no half-made data folder, and nothing that was there before is touched
    // (a name chosen in advance could be a link to somewhere else, or someone else's folder).
    QTemporaryDir partial(target + QStringLiteral(".partial-XXXXXX"));
    if (!partial.isValid())
        return false;
    for (const char* name : {MainDbFileName, WorkDbFileName}) {
        const QString to = partial.filePath(QLatin1String(name));
        if (!QFile::copy(templates + QLatin1Char('/') + QLatin1String(name), to) ||
            !QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner))
            return false;
    }
    if (!QDir().rename(partial.path(), target))
        return false;
    partial.setAutoRemove(false);
    return true;
}

} // namespace

namespace DataFolder {

QString userFolder(const QString& templates, const QString& userDataHome)
{
    const QString folder = QDir(userDataHome).filePath(QStringLiteral("Ledrium/data"));
    // Only the very first start copies; later a missing file is reported, never replaced.
    if (!QFileInfo::exists(folder) && !QFileInfo(folder).isSymLink()) {
        QDir().mkpath(QFileInfo(folder).path());
        copyTemplates(templates, folder);
    }
    return folder + QLatin1Char('/');
}

QString locate()
{
    const QDir programDir(QCoreApplication::applicationDirPath());
    const QString beside = programDir.filePath(QStringLiteral("data"));
    const QString templates = programDir.filePath(QStringLiteral("../share/ledrium/data"));
    if (QFileInfo::exists(beside) || !QFileInfo::exists(templates))
        return beside + QLatin1Char('/');
    return userFolder(QDir::cleanPath(templates),
                      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

} // namespace DataFolder
