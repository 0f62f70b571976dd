#pragma once
#include "store/StoreResult.h"

// Returns the main database to its delivered state: no customers, no settings row,
// every code name Null, and, unless it is kept, no register of issued receipts.
// One transaction; the work database is not touched.
namespace DataInitialisation {
enum class Register { Keep, Wipe };
StoreResult wipeMainData(Register issuedReceipts = Register::Keep);
}
