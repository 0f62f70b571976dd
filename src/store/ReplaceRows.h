#pragma once
#include "store/StoreResult.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

// The registering step of every table: `remove` runs once with its values, then `insert` once
// per row of values, inside a transaction the caller holds.
StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const QList<QVariantList>& rows);
// The same in one transaction of its own. All or nothing.
StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows);
