#include "store/Transaction.h"

#include "store/SpilledPages.h"
#include "store/SqlDialect.h"
#include "store/WriteFailure.h"

#include <QSqlError>
#include <QSqlQuery>

Transaction::Transaction(QSqlDatabase db, Lock lock, Pages pages) : db_(std::move(db))
{
    if (pages == Pages::Spilled && SqlDialect::of(db_) == SqlDialect::Kind::Sqlite) {
        error_ = SpilledPages::allow(db_);
        spilling_ = true;
        if (!error_.isEmpty())
            return;
    }
    begin(lock);
    if (begun_ && spilling_) {
        error_ = SpilledPages::journalPageOne(db_);
        if (!error_.isEmpty()) {
            db_.rollback();
            begun_ = false;
        }
    }
}

void Transaction::begin(Lock lock)
{
    if (!SqlDialect::reopenIfLost(db_)) {
        error_ = SqlDialect::of(db_) == SqlDialect::Kind::Postgres
                     ? QStringLiteral("サーバーとの接続が切れ、つなぎ直せませんでした。\n") + db_.lastError().text()
                     : QStringLiteral("データベースが開かれていません。");
        return;
    }
    if (lock == Lock::Deferred) {
        begun_ = db_.transaction();
        if (!begun_)
            error_ = WriteFailure::describe(db_.lastError());
        return;
    }
    // QSqlDatabase::transaction() only begins deferred; commit() and rollback() end either kind.
    QSqlQuery begin(db_);
    const QStringList statements = SqlDialect::beginWriting(db_);
    for (qsizetype i = 0; i < statements.size(); ++i) {
        begun_ = begin.exec(statements.at(i));
        if (!begun_) {
            error_ = WriteFailure::describe(begin.lastError());
            if (i > 0) // begun, but without its lock
                db_.rollback();
            return;
        }
    }
}

Transaction::~Transaction()
{
    if (begun_ && !done_)
        db_.rollback();
    if (spilling_)
        SpilledPages::stop(db_);
}

bool Transaction::commit()
{
    if (!begun_)
        return false;
    done_ = db_.commit();
    if (!done_)
        error_ = WriteFailure::describe(db_.lastError());
    return done_;
}

StoreResult Transaction::run(QSqlDatabase db, const std::function<StoreResult()>& work, Lock lock, Pages pages)
{
    Transaction transaction(std::move(db), lock, pages);
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    if (const StoreResult done = work(); !done)
        return done;
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}
