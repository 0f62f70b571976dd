#include "store/WriteFailure.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QStorageInfo>

namespace WriteFailure {

QString describe(const QFileDevice& file, const QString& path, qint64 bytesNeeded)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QStorageInfo volume(folder);
    // The save writes a whole copy beside the file before it replaces it.
    if (volume.isValid() && volume.bytesAvailable() < bytesNeeded + 64 * 1024)
        return QStringLiteral("ディスクの空きが足りません（%1 の空き：%2 KB、必要：%3 KB）。不要なファイルを消すか、別の場所に保存してください。")
            .arg(QDir::toNativeSeparators(folder))
            .arg(volume.bytesAvailable() / 1024)
            .arg((bytesNeeded + 1023) / 1024);
    return file.errorString();
}

} // namespace WriteFailure
