#pragma once
#include "store/StoreResult.h"

// Returns the main database to its delivered state: no customers, no settings row,
// every code name Null. One transaction; the work database is not touched.
namespace DataInitialisation {
StoreResult wipeMainData();
}
