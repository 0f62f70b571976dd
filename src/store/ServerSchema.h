#pragma once
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QString>

// The program's tables in a PostgreSQL database that holds the main data for several computers.
namespace ServerSchema {

// The version of the tables this program writes; a database holds its own in ledrium_schema.
inline constexpr int Version = 1;

// Why the database cannot serve as the main data ("" when it can): no tables of this program,
// or tables of a later version.
QString check(QSqlDatabase db);
// Creates the tables and the delivered code lists in an empty database, all in one transaction;
// a database that already holds tables is refused and left as it is.
StoreResult initialise(QSqlDatabase db);

// What a copy of a data folder into a server database carried over.
struct Copied {
    StoreResult result;
    qint64 customers = 0;
    qint64 codes = 0;
    qint64 settings = 0;
    qint64 entries = 0;
    qint64 changes = 0; // of register entries
    qint64 seals = 0;
    qint64 calibrations = 0; // printers with a position correction
    qint64 archiveFolders = 0; // the folder chosen for the kept PDFs, when one was
};
// Creates the tables in an empty server database and copies into it the main data of `local`
// (customers, code lists, settings with the counter and the seal, the register, the printers'
// position corrections), all or nothing.
Copied copyFrom(QSqlDatabase local, QSqlDatabase server);

} // namespace ServerSchema
