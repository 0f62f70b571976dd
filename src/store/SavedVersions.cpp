#include "store/SavedVersions.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace SavedVersions {

namespace {

const QString settingsKind = QStringLiteral("設定");

QString refusal(const Unit& unit)
{
    return QStringLiteral("%1は、読み込んだあとに別の画面またはほかのパソコンで登録されています。"
                          "登録すると、そちらの変更が失われます。読み込み直して、変更をもう一度入力してください。")
        .arg(unit.kind == settingsKind ? QStringLiteral("この設定") : QStringLiteral("この一覧"));
}

// The stored version through `sql`, 0 when the unit has no row yet.
std::optional<qint64> read(SqlRunner& sql, const Unit& unit)
{
    if (!sql.exec(QStringLiteral("SELECT 版 FROM 保存版 WHERE 種類 = ? AND 名前 = ?"), {unit.kind, unit.name}))
        return std::nullopt;
    const qint64 version = sql.query().next() ? sql.query().value(0).toLongLong() : 0;
    sql.query().finish();
    return version;
}

// A Null name (an empty box) is the empty one: 名前 holds no Null.
QString named(const QString& name) { return name.isNull() ? QStringLiteral("") : name; }

} // namespace

Unit customerList(const QString& category) { return {QStringLiteral("顧客"), named(category)}; }
Unit codeList(const QString& kcode) { return {QStringLiteral("コード"), named(kcode)}; }
Unit settings() { return {settingsKind, QStringLiteral("")}; }
Unit mailTemplate() { return {settingsKind, QStringLiteral("メール")}; }

std::optional<qint64> stored(QSqlDatabase db, const Unit& unit)
{
    SqlRunner sql(std::move(db));
    return read(sql, unit);
}

StoreResult save(QSqlDatabase db, const Unit& unit, std::optional<qint64> loaded, qint64* saved,
                 const std::function<StoreResult()>& writeRows)
{
    // The write lock from the start: no other save can register the unit between the check
    // and this save's commit.
    return Transaction::run(
        db,
        [&] {
            SqlRunner sql(db);
            const std::optional<qint64> version = read(sql, unit);
            if (!version)
                return StoreResult::failure(sql.error());
            if (loaded && *loaded != *version)
                return StoreResult{false, refusal(unit), true};
            const QString raise = *version == 0
                ? QStringLiteral("INSERT INTO 保存版 (版, 種類, 名前) VALUES (?, ?, ?)")
                : QStringLiteral("UPDATE 保存版 SET 版 = ? WHERE 種類 = ? AND 名前 = ?");
            if (!sql.exec(raise, {*version + 1, unit.kind, unit.name}))
                return StoreResult::failure(sql.error());
            if (const StoreResult written = writeRows(); !written)
                return written;
            if (saved)
                *saved = *version + 1;
            return StoreResult::success();
        },
        Transaction::Lock::Immediate);
}

QString ensure(QSqlDatabase db)
{
    const StoreResult made = Transaction::run(db, [&db] {
        SqlRunner sql(db);
        if (!sql.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS 保存版 (種類 TEXT NOT NULL, 名前 TEXT NOT NULL, "
                                     "版 INTEGER NOT NULL, PRIMARY KEY (種類, 名前))")))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
    return made ? QString() : QStringLiteral("登録の版を記録する表を加えられません：") + made.error;
}

} // namespace SavedVersions
