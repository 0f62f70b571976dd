#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>

// The rows of the two print runs, recorded in w領収証印刷 as the last run before it is shown.
namespace PrintRunRows {
// One receipt per marked customer of the work list, in 行番号 order.
StoreResult forList(QList<PrintRow>* rows);
// `count` empty receipts.
StoreResult forBlankForms(qint64 count, QList<PrintRow>* rows);
} // namespace PrintRunRows
