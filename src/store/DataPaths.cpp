#include "store/DataPaths.h"

#include <QDir>

DataPaths DataPaths::forFolder(const QString& folder)
{
    DataPaths paths;
    paths.DataFolder = QDir::cleanPath(folder) + QLatin1Char('/');
    paths.MainDbPath = paths.DataFolder + QLatin1String(MainDbFileName);
    paths.WorkDbPath = paths.DataFolder + QLatin1String(WorkDbFileName);
    return paths;
}
