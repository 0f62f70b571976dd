#pragma once
#include <QSqlDatabase>
#include <QString>

// A large write on a SQLite file without holding every changed page in memory until its commit.
// SQLite may then write changed pages into the file before the commit ("spill" them), after
// syncing the rollback journal. A journal left by a save cut off after that is accepted at the
// next open only when it holds page 1 (see LeftoverLogs), and SQLite journals page 1 only when
// the transaction first changes it, which may be after a spill. So the transaction's first write
// journals page 1. Page 1 itself never reaches the file before the commit: SQLite spills only
// pages no one holds, and an open write transaction holds page 1 throughout.
//
// allow(), then begin the transaction, then journalPageOne() before any other statement; stop()
// once it has ended, whichever way.
namespace SpilledPages {
// Changed pages beyond this stay in memory no longer. A run of 10,000 receipts passes it once
// (two more syncs of the journal, not measurably slower); a run of 100,000 then needs 3 MB less
// than with twice the threshold.
inline constexpr int ThresholdKiB = 4 * 1024;
// Outside a transaction (SQLite takes the setting only there): lets the next one spill.
QString allow(QSqlDatabase db);
// The first write of the transaction. An empty text, or why not (in Japanese): roll back then.
QString journalPageOne(QSqlDatabase db);
// Every changed page is held until the commit again.
void stop(QSqlDatabase db);
} // namespace SpilledPages
