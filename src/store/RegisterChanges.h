#pragma once
#include "store/IssuingProcess.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <optional>

// 発行記録変更: every later change of a register entry (voiding it, printing a copy of it, preparing
// it for mail), with
// when, by whom, on which computer and why. Rows are only ever added, never changed or removed,
// not even when the register itself is deleted.
namespace RegisterChanges {

inline const QString Voiding = QStringLiteral("無効");
inline const QString Reissuing = QStringLiteral("再発行");
inline const QString MailPrepared = QStringLiteral("メール作成");

struct Change {
    qint64 記録番号 = 0;
    QString 変更日時; // ISO 8601, local time
    QString 操作;
    QString 変更前;
    QString 変更後;
    QString 理由;
    QString 利用者;
    QString 端末;
};

// A change made now by this user on the computer of `by`.
Change now(qint64 id, const QString& operation, const QString& before, const QString& after, const QString& reason,
           const IssuingProcess& by);
// Adds changes on a transaction the caller holds; false with `error` set on failure.
bool addWithin(QSqlDatabase db, const QList<Change>& changes, QString* error);
// Every change, oldest first; nothing when it cannot be read.
std::optional<QList<Change>> all(QSqlDatabase db);

} // namespace RegisterChanges
