#include "app/DataFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace DataFolder {

QString locate()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data")) + QLatin1Char('/');
}

} // namespace DataFolder
