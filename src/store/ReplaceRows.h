#pragma once
#include "store/StoreResult.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

// The registering step of every table: in one transaction, `remove` runs once with its values,
// then `insert` once per row of values. All or nothing.
StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows);
