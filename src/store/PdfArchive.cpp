#include "store/PdfArchive.h"

#include "domain/Clock.h"
#include "domain/MemberFileName.h"
#include "store/ArchiveFolder.h"
#include "store/Connections.h"

#include <QCryptographicHash>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

PdfArchive PdfArchive::ofOpenData()
{
    const std::optional<QString> chosen = ArchiveFolder::read(Connections::mainDb());
    return chosen && !chosen->isEmpty() ? PdfArchive(*chosen) : inDataFolder();
}

PdfArchive PdfArchive::inDataFolder() { return PdfArchive(Connections::dataFolder() + folderName()); }

QString PdfArchive::copyInto(const QString& target, qint64* copied) const
{
    QStringList made;
    const auto fail = [&made](const QString& reason) {
        for (const QString& path : made) {
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
            QFile::remove(path);
        }
        return reason;
    };
    if (!QDir().mkpath(target))
        return QStringLiteral("保存用のフォルダを作れません：") + target;
    const QDir from(folder_);
    for (QDirIterator it(folder_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        const QString source = it.next();
        const QString name = from.relativeFilePath(source);
        const QString path = QDir(target).filePath(name);
        const QString sha256 = sha256Of(source);
        if (QFileInfo::exists(path)) {
            if (sha256Of(path) == sha256)
                continue;
            return fail(QStringLiteral("新しい保存フォルダに、同じ名前で内容の違うファイルがあります：") + path);
        }
        QFile file(source);
        if (!QDir().mkpath(QFileInfo(path).path()) || !file.copy(path))
            return fail(QStringLiteral("PDF ファイルを新しい保存フォルダに写せません：") + path + QStringLiteral("\n") +
                        file.errorString());
        made.append(path);
        if (sha256.isEmpty() || sha256Of(path) != sha256)
            return fail(QStringLiteral("写した PDF ファイルが元と一致しません：") + path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    if (copied)
        *copied = made.size();
    return {};
}

QString PdfArchive::sha256Of(const QString& path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return QString::fromLatin1(hash.result().toHex());
}

PdfArchive::Kept PdfArchive::keep(const QString& path) const
{
    Kept kept;
    kept.sha256 = sha256Of(path);
    if (kept.sha256.isEmpty()) {
        kept.error = QStringLiteral("保存用に PDF ファイルを読めません：") + path;
        return kept;
    }
    const QString month = Clock::today().toString(QStringLiteral("yyyy-MM"));
    const QDir dir(folder_ + QLatin1Char('/') + month);
    if (!dir.mkpath(QStringLiteral("."))) {
        kept.error = QStringLiteral("保存用のフォルダを作れません：") + dir.path();
        return kept;
    }
    const QString name = MemberFileName::unique(QFileInfo(path).fileName(), [&dir](const QString& candidate) {
        return QFileInfo::exists(dir.filePath(candidate));
    });
    // QFile::copy writes a temporary file and renames it: no half copy is ever kept.
    QFile source(path);
    if (!source.copy(dir.filePath(name)) || sha256Of(dir.filePath(name)) != kept.sha256) {
        kept.error = QStringLiteral("PDF ファイルを保存用のフォルダに写せません：") + dir.filePath(name) +
                     QStringLiteral("\n") + source.errorString();
        return kept;
    }
    QFile::setPermissions(dir.filePath(name), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    kept.archived = month + QLatin1Char('/') + name;
    return kept;
}

PdfArchive::Check PdfArchive::check(const QList<Recorded>& recorded) const
{
    Check result;
    QSet<QString> known;
    for (const Recorded& r : recorded)
        known.insert(r.archived);
    // Files the register does not name, by content: where a missing one may have gone.
    QHash<QString, QString> unknownByHash;
    const QDir root(folder_);
    for (QDirIterator it(folder_, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        const QString relative = root.relativeFilePath(it.next());
        if (!known.contains(relative))
            unknownByHash.insert(sha256Of(it.filePath()), relative);
    }
    QSet<QString> seen;
    for (const Recorded& r : recorded) {
        if (seen.contains(r.archived))
            continue;
        seen.insert(r.archived);
        const QString path = root.filePath(r.archived);
        if (QFileInfo::exists(path)) {
            if (sha256Of(path) == r.sha256)
                ++result.intact;
            else
                result.findings.append({Finding::Kind::Changed, r.archived, {}});
        } else if (unknownByHash.contains(r.sha256)) {
            result.findings.append({Finding::Kind::Renamed, r.archived, unknownByHash.value(r.sha256)});
        } else {
            result.findings.append({Finding::Kind::Missing, r.archived, {}});
        }
    }
    return result;
}
