#include "store/DeliveredHints.h"

#include "store/Connections.h"
#include "store/SchemaInstaller.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QUuid>

namespace {

QByteArray fingerprint(const QString& text)
{
    return QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex();
}
} // namespace

namespace DeliveredHints {

QList<HintRecord> current()
{
    // SQLite reads its own statements: the seed runs into a private in-memory table.
    QList<HintRecord> rows;
    const QString name = QStringLiteral("delivered-hints-") + QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        SqlRunner sql(db);
        if (db.open() && sql.exec(QStringLiteral("CREATE TABLE ClHint (FormName TEXT, CtlName TEXT, "
                                                 "FormTitle TEXT, Contents TEXT)"))) {
            bool seeded = true;
            for (const QString& statement : SchemaInstaller::statementsOf(QStringLiteral(":/store/seed_work.sql")))
                seeded = seeded && sql.exec(statement);
            if (seeded && sql.exec(QStringLiteral("SELECT FormName, CtlName, FormTitle, Contents FROM ClHint "
                                                  "ORDER BY rowid")))
                while (sql.query().next()) {
                    const QSqlQuery& q = sql.query();
                    rows.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3)});
                }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

QList<QByteArray> earlierFingerprints()
{
    return {
        // The first delivery of both hints.
        QByteArrayLiteral("7fdd32eda8786720a602657ff6afeae61a68738a97c6154f3b5b822520a6619e"), // cmdHint
        QByteArrayLiteral("d5c2857576d978e13bbb4f09f77ab4092afd235aed37aeba70ba980bece75d23"), // cmdHint2
        // Before the receipt tab could read and write member lists as CSV.
        QByteArrayLiteral("b0f484903034eaf07f9e75869baa82a8431e549d26c25ca67fec0ff541891423"), // cmdHint
        // Before the register of issued receipts.
        QByteArrayLiteral("7dd3cb70496f48a059d99b910aee1be540367e384d2e435699b127afc0108459"), // cmdHint
        QByteArrayLiteral("a4857db223f3d0f56975fa0438e4755789c7a3de316f01c8f920a6edcf20d0fe"), // cmdHint2
        // Before the usual amount was kept with each member.
        QByteArrayLiteral("be90282c8d49769ad8265301b9f1b2cf727a1b1b343bb191d1bfe3fbe075f2c4"), // cmdHint
    };
}

StoreResult refresh(const QList<QByteArray>& earlier)
{
    struct Outdated {
        qint64 rowid;
        QString formName;
        QString ctlName;
    };
    QList<Outdated> outdated;
    SqlRunner sql(Connections::workDb());
    if (!sql.exec(QStringLiteral("SELECT rowid, FormName, CtlName, Contents FROM ClHint")))
        return StoreResult::failure(sql.error());
    while (sql.query().next()) {
        const QSqlQuery& q = sql.query();
        if (!q.value(3).isNull() && earlier.contains(fingerprint(q.value(3).toString())))
            outdated.append({q.value(0).toLongLong(), q.value(1).toString(), q.value(2).toString()});
    }
    if (outdated.isEmpty())
        return StoreResult::success();

    const QList<HintRecord> delivered = current();
    return Transaction::run(Connections::workDb(), [&] {
        for (const Outdated& row : outdated)
            for (const HintRecord& today : delivered)
                if (today.FormName == row.formName && today.CtlName == row.ctlName &&
                    !sql.exec(QStringLiteral("UPDATE ClHint SET FormTitle = ?, Contents = ? WHERE rowid = ?"),
                              {today.FormTitle, today.Contents, row.rowid}))
                    return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace DeliveredHints
