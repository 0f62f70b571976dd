#include "store/OwnFiles.h"

#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <climits>
#include <cstdlib>

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

// Where the system itself puts `path`: the folder part resolved by realpath(), so that ".."
// after a linked folder climbs from the link's target, as open() does, not from the link.
QString systemLanding(const QString& path)
{
    const QString absolute = QFileInfo(path).isAbsolute() ? path : QDir::currentPath() + QLatin1Char('/') + path;
    const qsizetype slash = absolute.lastIndexOf(QLatin1Char('/'));
    char resolved[PATH_MAX];
    if (slash <= 0 || !::realpath(QFile::encodeName(absolute.left(slash)).constData(), resolved))
        return {};
    return landing(QFile::decodeName(resolved) + absolute.mid(slash));
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
    const QStringList own = ownFiles();
    QString landsOn = landing(target);
    if (!own.contains(landsOn))
        landsOn = systemLanding(target);
    if (landsOn.isEmpty() || !own.contains(landsOn))
        return {};
    return QStringLiteral("このファイルにはこのプログラムのデータが入っているため、書き出し先にできません。\n"
                          "ファイル：%1\n別のファイル名を選んでください。")
        .arg(QDir::toNativeSeparators(landsOn));
}

} // namespace OwnFiles
