#include "store/FileIdentity.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>
#include <QtEndian>

#include <sys/stat.h>

namespace FileIdentity {

namespace {

// Device and inode of the file, folded into 32 bits; a copy lies elsewhere. Only decides when
// to give a fresh identity: a place that reads differently after a remount costs a new one.
qint32 placeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    const QByteArray key = QByteArray::number(quint64(info.st_dev)) + ':' + QByteArray::number(quint64(info.st_ino));
    const qint32 place = qFromBigEndian<qint32>(QCryptographicHash::hash(key, QCryptographicHash::Sha1).constData());
    return place == 0 ? 1 : place;
}

struct Stamp {
    bool read = false;
    qint32 identity = 0;
    qint32 place = 0;
};

Stamp stampOf(SqlRunner& sql)
{
    if (!sql.exec(QStringLiteral("SELECT * FROM pragma_application_id, pragma_user_version")) || !sql.query().next())
        return {};
    const Stamp stamp{true, sql.query().value(0).toInt(), sql.query().value(1).toInt()};
    sql.query().finish();
    return stamp;
}

bool isFromHere(const Stamp& stamp, qint32 place)
{
    return stamp.identity != 0 && place != 0 && stamp.place == place;
}

} // namespace

bool knownHere(QSqlDatabase db, const QString& path)
{
    SqlRunner sql(db);
    return isFromHere(stampOf(sql), placeOf(path));
}

QString rewrite(QSqlDatabase db)
{
    SqlRunner sql(db);
    const Stamp stamp = stampOf(sql);
    if (!stamp.read || !sql.exec(QStringLiteral("PRAGMA application_id = %1").arg(stamp.identity)))
        return QStringLiteral("データベースに書き込めません：") + sql.error();
    return {};
}

QString ensure(QSqlDatabase db, const QString& path)
{
    SqlRunner sql(db);
    const Stamp stamp = stampOf(sql);
    if (!stamp.read)
        return QStringLiteral("データベースを確かめられません：") + sql.error();
    const qint32 identity = stamp.identity;
    const qint32 place = placeOf(path);
    if (isFromHere(stamp, place))
        return {};
    qint32 fresh = 0;
    while (fresh == 0 || fresh == identity)
        fresh = qint32(QRandomGenerator::system()->generate());
    // Pragmas take no bound values; the numbers are ours, never the user's.
    const StoreResult stamped = Transaction::run(db, [&sql, fresh, place] {
        if (!sql.exec(QStringLiteral("PRAGMA application_id = %1").arg(fresh)) ||
            !sql.exec(QStringLiteral("PRAGMA user_version = %1").arg(place)))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return stamped ? QString() : QStringLiteral("データベースに書き込めません：") + stamped.error;
}

} // namespace FileIdentity
