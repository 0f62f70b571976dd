#pragma once
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// All-or-nothing scope: rolls back unless commit() succeeded.
class Transaction {
public:
    // Deferred takes the write lock at the first write; Immediate takes it at the start, so
    // that what the transaction reads cannot change before it writes (SQLite BEGIN IMMEDIATE).
    enum class Lock { Deferred, Immediate };
    // Held keeps every page the transaction changes in memory until the commit. Spilled lets a
    // large write on a SQLite file move changed pages into the file before the commit once they
    // pass a few megabytes, with page 1 journaled first (see SpilledPages); a server ignores it.
    enum class Pages { Held, Spilled };
    explicit Transaction(QSqlDatabase db, Lock lock = Lock::Deferred, Pages pages = Pages::Held);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return begun_; }
    bool commit();
    QString error() const { return error_; }

    // Runs `work` in a transaction of its own and commits when it succeeded; a failure to
    // begin, of the work or of the commit leaves the database as it was.
    static StoreResult run(QSqlDatabase db, const std::function<StoreResult()>& work, Lock lock = Lock::Deferred,
                           Pages pages = Pages::Held);

private:
    void begin(Lock lock);

    QSqlDatabase db_;
    bool begun_ = false;
    bool done_ = false;
    bool spilling_ = false;
    QString error_;
};
