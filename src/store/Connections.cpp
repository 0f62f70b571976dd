#include "store/Connections.h"

#include "store/FileIdentity.h"
#include "store/LeftoverLogs.h"
#include "store/RegisterSchema.h"
#include "store/SavedVersions.h"
#include "store/ServerSchema.h"
#include "store/StoreUpgrades.h"
#include "store/UsualAmountColumn.h"
#include "store/WriteFailure.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUrl>

namespace {

const QStringList mainTables = {QStringLiteral("顧客マスタ"), QStringLiteral("コードマスタ"),
                                QStringLiteral("自社情報")};
const QStringList workTables = {QStringLiteral("w顧客マスタ"), QStringLiteral("wコードマスタ"),
                                QStringLiteral("w但書"), QStringLiteral("w領収証印刷"),
                                QStringLiteral("ClHint")};

bool hasSqliteHeader(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3\0", 16);
}

// Checks the file before SQLite sees it, so that nothing is ever created or overwritten.
QString fileProblem(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("ファイルがありません。");
    if (!info.isFile())
        return QStringLiteral("ファイルではありません。");
    if (!info.isReadable())
        return QStringLiteral("ファイルを読み込めません（アクセス権がありません）。");
    if (!info.isWritable())
        return QStringLiteral("ファイルが読み取り専用です。");
    if (info.size() == 0)
        return QStringLiteral("ファイルが空です。");
    if (!hasSqliteHeader(path))
        return QStringLiteral("このプログラムのデータベースではありません（形式が違います）。");
    return {};
}

// `wholeFile`: read every page for damage even when this file was opened here before.
QString openOne(const QString& name, const QString& path, const QStringList& tables, bool wholeFile)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=3000"));
    db.setDatabaseName(QStringLiteral("file:") + QString::fromUtf8(QUrl::toPercentEncoding(path, "/")) +
                       QStringLiteral("?mode=rw"));
    if (!db.open())
        return QStringLiteral("データベースを開けません：") + WriteFailure::describe(db.lastError());
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT type, name FROM sqlite_master")))
        return QStringLiteral("データベースが壊れています：") + WriteFailure::describe(query.lastError());
    QStringList present;
    while (query.next()) {
        const QString type = query.value(0).toString();
        // The program creates tables and indexes only; a trigger or view would run unseen with every save.
        if (type == QLatin1String("trigger"))
            return QStringLiteral("このプログラムが作らないトリガー「%1」があります。").arg(query.value(1).toString());
        if (type == QLatin1String("view"))
            return QStringLiteral("このプログラムが作らないビュー「%1」があります。").arg(query.value(1).toString());
        if (type == QLatin1String("table"))
            present << query.value(1).toString();
    }
    for (const QString& table : tables)
        if (!present.contains(table))
            return QStringLiteral("テーブル「%1」がありません。").arg(table);
    query.finish();
    // A write lock proves the file can be written (a read-only medium or a lock shows here).
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return QStringLiteral("データベースに書き込めません：") + WriteFailure::describe(query.lastError());
    query.exec(QStringLiteral("ROLLBACK"));
    // Damage in the header, the schema or a truncated file showed above. Reading every page
    // grows with the data, so it is left to files that give a reason: one the program has not
    // opened in this place before (new, copied or put back), or the caller's.
    if (!wholeFile && FileIdentity::knownHere(db, path))
        return {};
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next() ||
        query.value(0).toString() != QLatin1String("ok"))
        return QStringLiteral("データベースが壊れています。");
    return {};
}

// Every commit lands in the database file itself before it returns: a rollback journal that
// exists only during a save. No page is written to the file before the commit, except in a
// large write that journaled page 1 first (SpilledPages), so that a journal left by a cut-off
// save always holds what page 1 was (see LeftoverLogs).
QString configure(QSqlDatabase db, const char* synchronous)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = DELETE")) || !query.next() ||
        query.value(0).toString().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
        return QStringLiteral("データベースの記録方式を設定できません：") + WriteFailure::describe(query.lastError());
    for (const QString& pragma : {QStringLiteral("PRAGMA synchronous = ") + QLatin1String(synchronous),
                                  QStringLiteral("PRAGMA cache_spill = OFF")})
        if (!query.exec(pragma))
            return QStringLiteral("データベースを設定できません：") + WriteFailure::describe(query.lastError());
    return {};
}

} // namespace

namespace Connections {

OpenOutcome open(const DataPaths& paths, const MainServer& server, WholeFileCheck check)
{
    close();
    struct File {
        const char* name;
        QString path;
        const QStringList* tables;
        const char* synchronous;
        bool cutOffSave = false;
    };
    // The master data and the receipt counter are synced on every commit; the work tables
    // are rebuilt at every start, so losing their last commit to a power cut costs nothing.
    QList<File> files{{WorkDbName, paths.WorkDbPath, &workTables, "NORMAL"}};
    if (!server.open)
        files.prepend({MainDbName, paths.MainDbPath, &mainTables, "FULL"});
    // Both files are checked before either is changed: first what lies on disk, before SQLite
    // reads anything; then what SQLite sees; only then the settings that may rewrite a file.
    for (auto& file : files) {
        QString reason = fileProblem(file.path);
        if (reason.isEmpty())
            reason = LeftoverLogs::problem(file.path);
        if (!reason.isEmpty())
            return {false, file.path, reason};
        file.cutOffSave = LeftoverLogs::hasJournal(file.path); // gone once SQLite has read the file
    }
    for (const auto& file : files) {
        const bool wholeFile = check == WholeFileCheck::Always || file.cutOffSave;
        if (const QString reason = openOne(QLatin1String(file.name), file.path, *file.tables, wholeFile);
            !reason.isEmpty()) {
            close();
            return {false, file.path, reason};
        }
    }
    for (const auto& file : files) {
        if (const QString reason = configure(QSqlDatabase::database(QLatin1String(file.name), false), file.synchronous);
            !reason.isEmpty()) {
            close();
            return {false, file.path, reason};
        }
    }
    for (const auto& file : files) {
        if (const QString reason = FileIdentity::ensure(QSqlDatabase::database(QLatin1String(file.name), false), file.path);
            !reason.isEmpty()) {
            close();
            return {false, file.path, reason};
        }
    }
    if (const QString reason = StoreUpgrades::ensureWork(workDb()); !reason.isEmpty()) {
        close();
        return {false, paths.WorkDbPath, reason};
    }
    if (server.open) {
        QString reason = server.open(QLatin1String(MainDbName));
        if (reason.isEmpty())
            reason = ServerSchema::check(mainDb());
        if (reason.isEmpty())
            reason = StoreUpgrades::ensure(mainDb());
        if (!reason.isEmpty()) {
            close();
            return {false, server.name, reason};
        }
        return {};
    }
    // A database from before the register gets it now; nothing else in the file changes.
    // Likewise the members' usual amounts.
    QString reason = RegisterSchema::ensure(mainDb());
    if (reason.isEmpty())
        reason = UsualAmountColumn::ensure(mainDb());
    if (reason.isEmpty())
        reason = SavedVersions::ensure(mainDb());
    if (reason.isEmpty())
        reason = StoreUpgrades::ensure(mainDb());
    if (!reason.isEmpty()) {
        close();
        return {false, paths.MainDbPath, reason};
    }
    return {};
}

void close()
{
    for (const char* name : {MainDbName, WorkDbName}) {
        if (!QSqlDatabase::contains(QLatin1String(name)))
            continue;
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(name), false);
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(name));
    }
}

QString dataFolder()
{
    const QStringList files = openFiles();
    return files.isEmpty() ? QString() : QFileInfo(files.last()).absolutePath() + QLatin1Char('/');
}

QStringList openFiles()
{
    QStringList files;
    for (const char* name : {MainDbName, WorkDbName}) {
        const QSqlDatabase db = QSqlDatabase::database(QLatin1String(name), false);
        if (!db.isOpen())
            continue;
        // Opened as "file:<percent-encoded path>?mode=rw".
        QString uri = db.databaseName();
        if (!uri.startsWith(QLatin1String("file:")))
            continue;
        uri = uri.mid(5);
        uri.truncate(uri.indexOf(QLatin1Char('?')) < 0 ? uri.size() : uri.indexOf(QLatin1Char('?')));
        files << QUrl::fromPercentEncoding(uri.toUtf8());
    }
    return files;
}

QSqlDatabase mainDb() { return QSqlDatabase::database(QLatin1String(MainDbName), false); }
QSqlDatabase workDb() { return QSqlDatabase::database(QLatin1String(WorkDbName), false); }

} // namespace Connections
