#include "store/OwnFiles.h"

#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <climits>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace OwnFiles {

namespace {

// A file or folder as the system knows it, whatever path reached it: a hard link, a bind mount
// or a name in another letter case on a file system that ignores case all meet here.
struct Identity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const Identity&) const = default;
};

std::optional<Identity> identityOf(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return std::nullopt;
    return Identity{info.st_dev, info.st_ino};
}

// The folder a write of `path` lands in and the name it takes there.
struct Landing {
    QByteArray folder;
    QByteArray name;
};

// Follows the links one by one as a save does, a dangling one too (the save creates its
// target). The folder part is left to the system to resolve: ".." after a linked folder leads
// where the system goes, not where the text seems to go.
Landing landingOf(QByteArray path)
{
    for (int hop = 0; hop < 40; ++hop) { // the system gives up after as many
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            break;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length <= 0)
            break;
        const QByteArray linked(target, length);
        const qsizetype slash = path.lastIndexOf('/');
        path = linked.startsWith('/') || slash < 0 ? linked : path.left(slash + 1) + linked;
    }
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), path};
    return {slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

// The databases at `databases`, under those names and where they lead, each with its journal
// and logs, and the lock of their folder.
QStringList ownFiles(const QStringList& databases)
{
    QStringList files;
    for (const QString& database : databases) {
        const Landing real = landingOf(QFile::encodeName(database));
        for (const QString& path : {database, QFile::decodeName(real.folder + '/' + real.name)})
            for (const char* suffix : {"", "-journal", "-wal", "-shm"})
                files << QFileInfo(path + QLatin1String(suffix)).absoluteFilePath();
        files << QFileInfo(database).absoluteDir().filePath(QLatin1String(LockFileName));
    }
    return files;
}

// What this process holds open, as the system lists it: one link per open file.
QStringList heldOpen()
{
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    QStringList files;
    for (const QString& descriptor : descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        files << descriptors.filePath(descriptor);
    return files;
}

bool landsOn(const Landing& landing, const QString& own)
{
    const QFileInfo info(own);
    const std::optional<Identity> folder = identityOf(landing.folder);
    if (folder && folder == identityOf(QFile::encodeName(info.absolutePath())) &&
        QFile::decodeName(landing.name).compare(info.fileName(), Qt::CaseInsensitive) == 0)
        return true;
    const std::optional<Identity> file = identityOf(landing.folder + '/' + landing.name);
    return file && file == identityOf(QFile::encodeName(own));
}

QString refusalFor(const QString& target, const QStringList& databases)
{
    const Landing landing = landingOf(QFile::encodeName(target));
    for (const QString& own : ownFiles(databases)) {
        if (landsOn(landing, own))
            return QStringLiteral("このファイルにはこのプログラムのデータが入っているため、書き出し先にできません。\n"
                                  "ファイル：%1\n別のファイル名を選んでください。")
                .arg(QDir::toNativeSeparators(own));
    }
    // Any other file open here (another name of it included) would be written into as well.
    const std::optional<Identity> file = identityOf(landing.folder + '/' + landing.name);
    for (const QString& open : file ? heldOpen() : QStringList()) {
        if (identityOf(QFile::encodeName(open)) == file)
            return QStringLiteral("このファイルはこのプログラムが開いているため、書き出し先にできません。\n"
                                  "ファイル：%1\n別のファイル名を選んでください。")
                .arg(QDir::toNativeSeparators(target));
    }
    return {};
}

} // namespace

QString refusal(const QString& target) { return refusalFor(target, Connections::openFiles()); }

QString refusal(const QString& target, const DataPaths& paths)
{
    return refusalFor(target, {paths.MainDbPath, paths.WorkDbPath});
}

} // namespace OwnFiles
