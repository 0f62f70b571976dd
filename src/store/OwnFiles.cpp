#include "store/OwnFiles.h"

#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace OwnFiles {

namespace {

// Where writing `path` lands: links followed (a dangling one too, as a save would create its
// target), the folder made canonical.
QString landing(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hop = 0; hop < 40 && QFileInfo(current).isSymLink(); ++hop) {
        const QFileInfo link(current);
        const QString target = link.symLinkTarget();
        if (target.isEmpty())
            break;
        current = QDir(link.absolutePath()).absoluteFilePath(target);
    }
    const QFileInfo info(current);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
}

QStringList ownFiles()
{
    QStringList files;
    for (const QString& database : Connections::openFiles()) {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            files << landing(database + QLatin1String(suffix));
        files << landing(QFileInfo(database).absoluteDir().filePath(QLatin1String(LockFileName)));
    }
    return files;
}

} // namespace

QString refusal(const QString& target)
{
    const QString landsOn = landing(target);
    if (!ownFiles().contains(landsOn))
        return {};
    return QStringLiteral("このファイルにはこのプログラムのデータが入っているため、書き出し先にできません。\n"
                          "ファイル：%1\n別のファイル名を選んでください。")
        .arg(QDir::toNativeSeparators(landsOn));
}

} // namespace OwnFiles
