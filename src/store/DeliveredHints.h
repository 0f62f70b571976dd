#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QByteArray>
#include <QList>

// The hint texts the program delivers in a new work database, and bringing the untouched
// texts of an older delivery in an existing database up to date.
namespace DeliveredHints {
// Today's delivered rows, as the compiled-in seed of the work database writes them.
QList<HintRecord> current();
// SHA-256 (hex) of every text an earlier version delivered and this one no longer does.
QList<QByteArray> earlierFingerprints();
// Replaces each stored hint whose text is, byte for byte, one of `earlier` by today's delivered
// text of its key. A text the user has edited stays as it is. All or nothing; writes nothing
// when no stored text is an earlier delivery.
StoreResult refresh(const QList<QByteArray>& earlier = earlierFingerprints());
} // namespace DeliveredHints
