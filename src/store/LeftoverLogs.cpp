#include "store/LeftoverLogs.h"

#include "store/FileIdentity.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

constexpr qint64 headerSize = 100; // the database header at the start of page 1
constexpr qint64 changeCounterAt = 24;
constexpr qint64 journalHeaderFields = 28;
const QByteArray journalMagic = QByteArray::fromHex("d9d505f920a163d7");

quint32 bigEndian32(const QByteArray& bytes, qint64 at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Page size as the database header stores it (1 means 65536).
qint64 pageSizeOf(const QByteArray& header)
{
    const quint16 stored = qFromBigEndian<quint16>(header.constData() + 16);
    return stored == 1 ? 65536 : stored;
}

// Page 1 images that differ only where giving a file its identity writes: the change counter
// and the version number that follows it, the place, the identity, and the library version.
bool sameApartFromIdentity(QByteArray a, QByteArray b)
{
    for (QByteArray* page : {&a, &b}) {
        page->replace(changeCounterAt, 4, QByteArray(4, '\0'));
        page->replace(FileIdentity::PlaceAt, 4, QByteArray(4, '\0'));
        page->replace(FileIdentity::IdentityAt, 4, QByteArray(4, '\0'));
        page->replace(92, 8, QByteArray(8, '\0'));
    }
    return a == b;
}

QString refusal(const QString& log, const QString& why)
{
    return QStringLiteral("データベースの横に、使えないログファイルがあります。\n"
                          "ログファイル：%1\n%2\n"
                          "バックアップから戻したときは、このログファイルを削除してから起動してください。")
        .arg(log, why);
}

// The rollback journal of one cut-off save holds the page images from before that save, page 1
// (with its change counter) among them: a save writes no page into the file before its commit
// unless it journaled page 1 first (SpilledPages), and the commit journals page 1 before it
// writes. The commit writes the pages in order, page 1 with the raised counter first; a page
// spilled before the commit is never page 1, which the save holds until then. So while the file
// carries the journal's page 1 unchanged, the save may have reached other pages, and playing
// the journal back puts them right; once it carries that counter plus one, the save was being
// written. Any other file (a restored backup) must not get these pages. Without records, a
// roll-back only cuts the file back to its size at the start of the save, which is harmless when
// that is its size.
QString journalProblem(const QString& databasePath, const QString& journalPath)
{
    QFile journal(journalPath);
    QFile database(databasePath);
    if (!journal.open(QIODevice::ReadOnly) || !database.open(QIODevice::ReadOnly))
        return refusal(journalPath, QStringLiteral("ログファイルを読み込めません。"));
    const QByteArray header = journal.read(journalHeaderFields);
    // SQLite writes the header only when it syncs the journal, just before the file is written;
    // a journal without it (a save cut off earlier) is ignored and the file was never touched.
    if (header.size() < journalHeaderFields || !header.startsWith(journalMagic))
        return {};
    const quint32 records = bigEndian32(header, 8);
    const quint32 pagesAtStart = bigEndian32(header, 16);
    const qint64 sectorSize = bigEndian32(header, 20);
    const qint64 pageSize = bigEndian32(header, 24);
    const QByteArray databaseHeader = database.read(headerSize);
    if (databaseHeader.size() < headerSize || sectorSize < journalHeaderFields || pageSize < 512 ||
        pageSizeOf(databaseHeader) != pageSize)
        return refusal(journalPath, QStringLiteral("ログファイルとデータベースのページの大きさが合いません。"));
    if (records == 0)
        return database.size() == qint64(pagesAtStart) * pageSize
                   ? QString()
                   : refusal(journalPath, QStringLiteral("ログファイルはこのファイルの大きさと合いません。"));

    const qint64 recordSize = 4 + pageSize + 4;
    const qint64 count = records == 0xffffffffu ? (journal.size() - sectorSize) / recordSize : records;
    QByteArray pageOne;
    for (qint64 i = 0; i < count && pageOne.isEmpty(); ++i) {
        if (!journal.seek(sectorSize + i * recordSize))
            break;
        const QByteArray number = journal.read(4);
        if (number.size() < 4)
            break;
        if (bigEndian32(number, 0) == 1)
            pageOne = journal.read(pageSize);
    }
    if (pageOne.size() < pageSize)
        return refusal(journalPath, QStringLiteral("ログファイルにデータベースの先頭ページがありません。"));
    const quint32 before = bigEndian32(pageOne, changeCounterAt);
    const quint32 now = bigEndian32(databaseHeader, changeCounterAt);
    const bool untouched = databaseHeader == pageOne.left(headerSize);
    const bool beingWritten = now == before + 1 && databaseHeader.left(changeCounterAt) == pageOne.left(changeCounterAt);
    // Only the file whose save wrote the journal carries its identity. The one save that may
    // carry another is the one giving the file a fresh identity: its journal holds page 1 alone,
    // equal to the file's but for the identity, so playing it back could change nothing else,
    // whichever copy it came from.
    const quint32 journalIdentity = bigEndian32(pageOne, FileIdentity::IdentityAt);
    const quint32 fileIdentity = bigEndian32(databaseHeader, FileIdentity::IdentityAt);
    database.seek(0);
    const bool onlyIdentityWritten = count == 1 && database.size() == qint64(pagesAtStart) * pageSize &&
                                     sameApartFromIdentity(database.read(pageSize), pageOne);
    if (untouched || (beingWritten && (journalIdentity == fileIdentity || onlyIdentityWritten)))
        return {};
    return refusal(journalPath, QStringLiteral("ログファイルはこのファイルの以前の状態のものではありません。"));
}

} // namespace

namespace LeftoverLogs {

QString problem(const QString& databasePath)
{
    const QString wal = databasePath + QStringLiteral("-wal");
    if (QFileInfo(wal).exists() || QFileInfo(wal).isSymLink())
        return refusal(wal, QStringLiteral("このプログラムは -wal ファイルを使いません。"));
    const QString journal = databasePath + QStringLiteral("-journal");
    const QFileInfo journalInfo(journal);
    if (journalInfo.isSymLink() || (journalInfo.exists() && !journalInfo.isFile()))
        return refusal(journal, QStringLiteral("ログファイルが通常のファイルではありません。"));
    if (!journalInfo.exists() || journalInfo.size() == 0)
        return {};
    return journalProblem(databasePath, journal);
}

bool hasJournal(const QString& databasePath)
{
    return QFileInfo(databasePath + QStringLiteral("-journal")).size() > 0;
}

} // namespace LeftoverLogs
