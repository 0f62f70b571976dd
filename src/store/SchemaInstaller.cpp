#include "store/SchemaInstaller.h"

#include "store/DataPaths.h"
#include "store/RegisterSchema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace {

bool runScript(QSqlDatabase& db, const QString& resource, QString* error)
{
    QSqlQuery query(db);
    for (const QString& statement : SchemaInstaller::statementsOf(resource)) {
        if (!query.exec(statement)) {
            if (error)
                *error = resource + QStringLiteral(": ") + query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

namespace SchemaInstaller {

QStringList statementsOf(const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList statements;
    QString current;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (current.isEmpty() && line.trimmed().startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        if (line.trimmed().endsWith(QLatin1Char(';'))) {
            statements << current.trimmed();
            current.clear();
        }
    }
    return statements;
}

bool create(const QString& path, Kind kind, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = path + QStringLiteral(" は既にあります。");
        return false;
    }
    const QString temp = path + QStringLiteral(".new");
    QFile::remove(temp);
    const QString connection = QStringLiteral("installer-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(temp);
        if (db.open()) {
            const QString name = kind == Kind::Main ? QStringLiteral("main") : QStringLiteral("work");
            db.transaction();
            ok = runScript(db, QStringLiteral(":/store/schema_%1.sql").arg(name), error) &&
                 runScript(db, QStringLiteral(":/store/seed_%1.sql").arg(name), error) &&
                 (kind != Kind::Main || runScript(db, RegisterSchema::script(), error)) && db.commit();
            db.close();
        } else if (error) {
            *error = db.lastError().text();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (ok)
        ok = QFile::rename(temp, path);
    if (!ok)
        QFile::remove(temp);
    return ok;
}

bool createMissing(const QString& folder, QString* error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = folder + QStringLiteral(" を作れません。");
        return false;
    }
    const DataPaths paths = DataPaths::forFolder(folder);
    if (!QFileInfo::exists(paths.MainDbPath) && !create(paths.MainDbPath, Kind::Main, error))
        return false;
    if (!QFileInfo::exists(paths.WorkDbPath) && !create(paths.WorkDbPath, Kind::Work, error))
        return false;
    return true;
}

} // namespace SchemaInstaller
