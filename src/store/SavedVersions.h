#pragma once
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>

// 保存版 on MainDb: how many times each unit of the main data has been registered — one
// customer category, one code list, the settings. A screen keeps the version it loaded; its
// save names that version and is refused when another screen (or another computer) has
// registered the unit since, so that no save silently replaces a list it never saw.
// The receipt counter is no part of it: issuing moves the counter under its own lock.
namespace SavedVersions {

struct Unit {
    QString kind; // 種類
    QString name; // 名前: the category or code list; empty for the settings

    bool operator==(const Unit&) const = default;
};
Unit customerList(const QString& category);
Unit codeList(const QString& kcode);
Unit settings();
// The subject and text receipts are mailed with: a setting saved from its own dialog.
Unit mailTemplate();

// The unit's stored version: 0 for one never registered; nothing when it cannot be read.
std::optional<qint64> stored(QSqlDatabase db, const Unit& unit);

// Registers a unit: in one transaction that holds the store's write lock, checks that the
// stored version is `loaded` (any version when none is given), raises it by one and runs
// `writeRows`; all or nothing. A version other than `loaded` refuses the save with `outdated`
// set and the message for the user, and writes nothing. `saved` receives the new version.
StoreResult save(QSqlDatabase db, const Unit& unit, std::optional<qint64> loaded, qint64* saved,
                 const std::function<StoreResult()>& writeRows);

// Adds the table to a SQLite main file from before it, in one transaction; a file that has it
// is not written. Returns an empty text, or why it failed (in Japanese).
QString ensure(QSqlDatabase db);

} // namespace SavedVersions
