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
    explicit Transaction(QSqlDatabase db, Lock lock = Lock::Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return begun_; }
    bool commit();
    QString error() const { return error_; }

    // Runs `work` in a transaction of its own and commits when it succeeded; a failure to
    // begin, of the work or of the commit leaves the database as it was.
    static StoreResult run(QSqlDatabase db, const std::function<StoreResult()>& work, Lock lock = Lock::Deferred);

private:
    QSqlDatabase db_;
    bool begun_ = false;
    bool done_ = false;
    QString error_;
};
