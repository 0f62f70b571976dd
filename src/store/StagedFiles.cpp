#include "store/StagedFiles.h"

#include "domain/MemberFileName.h"
#include "store/OwnFiles.h"
#include "store/WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

StagedFiles::StagedFiles(const QString& folder)
    : folder_(folder), staging_(QDir(folder).filePath(QStringLiteral(".ledrium-XXXXXX")))
{
}

QString StagedFiles::freeName(const QString& wanted) const
{
    const QDir target(folder_);
    return MemberFileName::unique(wanted, [&](const QString& candidate) {
        return used_.contains(candidate) || QFileInfo::exists(target.filePath(candidate));
    });
}

QString StagedFiles::add(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(folder_).filePath(name);
    if (const QString own = OwnFiles::refusal(path); !own.isEmpty())
        return own;
    QFile file(staging_.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return WriteFailure::describe(file, path, bytes.size());
    used_.insert(name);
    names_.append(name);
    return {};
}

QString StagedFiles::moveIn()
{
    // A rename never replaces a file that appeared meanwhile.
    for (const QString& name : names_) {
        const QString path = QDir(folder_).filePath(name);
        if (!QFile::rename(staging_.filePath(name), path)) {
            takeBack();
            return path;
        }
        placed_.append(path);
    }
    return {};
}

void StagedFiles::takeBack()
{
    for (const QString& path : std::as_const(placed_))
        QFile::remove(path);
    placed_.clear();
}
