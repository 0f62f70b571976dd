#include "store/ServerSchema.h"

#include "store/SchemaInstaller.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <QStringList>

namespace ServerSchema {

namespace {

const QString noTables = QStringLiteral(
    "このデータベースには Ledrium の表がありません。ledrium --init-server --server 接続先 で準備するか、"
    "ledrium --copy-to-server --server 接続先 でこのパソコンのデータを写してください。");

// The tables of the main data and the columns copied, in the order of their rows.
struct Table {
    const char* name;
    const char* columns;
    const char* order;
    qint64 Copied::*count;
};
const Table copiedTables[] = {
    {"顧客マスタ", "行番号, 顧客名, 区分, 但書, 領収額, 税区分, メールアドレス", "rowid", &Copied::customers},
    {"コードマスタ", "kcode, code, sname", "rowid", &Copied::codes},
    {"自社情報", "自社名, 自社情報, 年号, 領収証番号, 事業者区分, 登録番号, 端数処理, メール件名, メール本文, メール差出人", "rowid", &Copied::settings},
    {"発行記録",
     "記録番号, 領収証番号, 領収日付, 顧客名, 領収額, 但書, 表題, 自社名, 自社情報, 用紙, 出力先, 種別, 発行日時, "
     "状態, 無効理由, 原本, 発行端末, 発行プロセス, 税区分, 税率, 消費税額, 登録番号, 印紙税額, 領収日, sha256, 保存ファイル, メール",
     "記録番号", &Copied::entries},
    {"発行記録変更", "変更番号, 記録番号, 変更日時, 操作, 変更前, 変更後, 理由, 利用者, 端末", "変更番号", &Copied::changes},
    {"印影", "種類, 画像, 寸法, 印刷", "rowid", &Copied::seals},
    {"印刷位置", "プリンタ名, 左右, 上下, 倍率", "プリンタ名", &Copied::calibrations},
    {"保存先", "フォルダ", "フォルダ", &Copied::archiveFolders},
};

StoreResult runScript(SqlRunner& sql, const QString& resource)
{
    for (const QString& statement : SchemaInstaller::statementsOf(resource))
        if (!sql.exec(statement))
            return StoreResult::failure(sql.error());
    return StoreResult::success();
}

// Creates the tables where the database holds none of its own yet.
StoreResult createTables(SqlRunner& sql)
{
    if (!sql.exec(QStringLiteral("SELECT string_agg(tablename, '、' ORDER BY tablename) FROM pg_catalog.pg_tables "
                                 "WHERE schemaname = current_schema()")) ||
        !sql.query().next())
        return StoreResult::failure(sql.error());
    if (const QString tables = sql.query().value(0).toString(); !tables.isEmpty())
        return StoreResult::failure(
            QStringLiteral("このデータベースには既に表があります（%1）。Ledrium のデータは空のデータベースにだけ作ります。")
                .arg(tables));
    sql.query().finish();
    return runScript(sql, QStringLiteral(":/store/schema_server.sql"));
}

} // namespace

QString check(QSqlDatabase db)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("SELECT to_regclass('ledrium_schema') IS NOT NULL")) || !sql.query().next())
        return QStringLiteral("データベースを読めません：") + sql.error();
    if (!sql.query().value(0).toBool())
        return noTables;
    if (!sql.exec(QStringLiteral("SELECT max(version) FROM ledrium_schema")) || !sql.query().next())
        return QStringLiteral("データベースを読めません：") + sql.error();
    const int version = sql.query().value(0).toInt();
    if (version > Version)
        return QStringLiteral("このデータベースの表は、このプログラムより新しい版（%1）のものです。"
                              "新しい版のプログラムを使ってください。")
            .arg(version);
    if (version < 1)
        return noTables;
    return {};
}

StoreResult initialise(QSqlDatabase db)
{
    return Transaction::run(db, [&db] {
        SqlRunner sql(db);
        if (const StoreResult created = createTables(sql); !created)
            return created;
        return runScript(sql, QStringLiteral(":/store/seed_main.sql"));
    });
}

Copied copyFrom(QSqlDatabase local, QSqlDatabase server)
{
    Copied copied;
    copied.result = Transaction::run(server, [&] {
        SqlRunner to(server);
        if (const StoreResult created = createTables(to); !created)
            return created;
        SqlRunner from(local);
        for (const Table& table : copiedTables) {
            const QString name = QString::fromUtf8(table.name);
            const QString columns = QString::fromUtf8(table.columns);
            if (!from.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(columns, name, QString::fromUtf8(table.order))))
                return StoreResult::failure(name + QStringLiteral("：") + from.error());
            const qsizetype width = columns.count(QLatin1Char(',')) + 1;
            QStringList marks(width, QStringLiteral("?"));
            const QString insert =
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(name, columns, marks.join(QStringLiteral(", ")));
            while (from.query().next()) {
                QVariantList values;
                for (int column = 0; column < width; ++column)
                    values << from.query().value(column);
                if (!to.exec(insert, values))
                    return StoreResult::failure(name + QStringLiteral("：") + to.error());
                ++(copied.*table.count);
            }
        }
        // Entries added later are numbered after the copied ones.
        if (!to.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('発行記録', '記録番号'), "
                                    "coalesce((SELECT max(記録番号) FROM 発行記録), 0) + 1, false)")) ||
            !to.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('発行記録変更', '変更番号'), "
                                    "coalesce((SELECT max(変更番号) FROM 発行記録変更), 0) + 1, false)")))
            return StoreResult::failure(to.error());
        return StoreResult::success();
    });
    return copied;
}

} // namespace ServerSchema
