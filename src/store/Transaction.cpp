#include "store/Transaction.h"

#include "store/WriteFailure.h"

#include <QSqlError>

Transaction::Transaction(QSqlDatabase db) : db_(std::move(db))
{
    begun_ = db_.isOpen() && db_.transaction();
    if (!begun_)
        error_ = db_.isOpen() ? WriteFailure::describe(db_.lastError()) : QStringLiteral("データベースが開かれていません。");
}

Transaction::~Transaction()
{
    if (begun_ && !done_)
        db_.rollback();
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

StoreResult Transaction::run(QSqlDatabase db, const std::function<StoreResult()>& work)
{
    Transaction transaction(std::move(db));
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    if (const StoreResult done = work(); !done)
        return done;
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}
