#pragma once
#include "TestData.h"

#include <QString>

class PgServer;

// Makes the database `database` on `server`, sets up this program's tables in it and opens it as
// MainDb, beside the WorkDb of the data folder `folder` (which holds the delivered files).
// Returns "" or why not.
QString openMainDataOnServer(const PgServer& server, const QString& database, const QString& folder);

// A fresh data folder opened as TestData opens it; given a server, its main data is a fresh
// database there instead of the file, so that the same work runs on either kind of store.
class BackendData {
public:
    explicit BackendData(const PgServer* server);

    // "" or why the store could not be opened.
    QString error() const { return error_; }

private:
    TestData data_;
    QString error_;
};
