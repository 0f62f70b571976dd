#pragma once
#include <QSqlDatabase>
#include <QString>

// All-or-nothing scope: rolls back unless commit() succeeded.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool begun() const { return begun_; }
    bool commit();
    QString error() const { return error_; }

private:
    QSqlDatabase db_;
    bool begun_ = false;
    bool done_ = false;
    QString error_;
};
