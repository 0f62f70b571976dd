#pragma once
#include <QVariant>

#include "store/Records.h"
#include "store/StoreResult.h"

// The receipt-number counter over 自社情報.領収証番号.
// field must be "領収証番号" and mode "Get" or "Set" (exact, case-sensitive); anything else
// does nothing and returns "". "Get" returns the next number (1 when none is stored, and
// never one the register of issued receipts already holds);
// "Set" stores `value` as the last number used unless the stored one is already as high.
// Screens showing the counter reread it after each output (ReportPreview::outputFinished).
QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value);

// Issues `count` numbers for a run about to go out and records its register entries with them
// (see CompanyTable::issueReceiptNumbers). `issuedFirst` receives the first one issued.
StoreResult issueReceiptNumbers(qint64 first, qint64 count, qint64* issuedFirst,
                                const QList<RegisterEntry>& entries = {}, QList<qint64>* recordedIds = nullptr);
