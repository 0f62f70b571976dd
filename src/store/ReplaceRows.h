#pragma once
#include "store/StoreResult.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <functional>

// Rows handed over one at a time, so that a long list is never held whole to be written: `next`
// fills the values of the following row and says true, or says false at the end; `failure`,
// when given, then says why the rows ended short (empty when they did not), and nothing is kept.
struct RowSource {
    std::function<bool(QVariantList*)> next;
    std::function<QString()> failure = {};
};

// The registering step of every table: `remove` runs once with its values, then `insert` once
// per row of values, inside a transaction the caller holds.
StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const RowSource& rows);
StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const QList<QVariantList>& rows);
// The same in one transaction of its own. All or nothing.
StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const RowSource& rows);
StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows);
