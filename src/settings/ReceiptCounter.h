#pragma once
#include <QVariant>

// The receipt-number counter over 自社情報.領収証番号, as the screens ask for it: a thin
// adapter over ReceiptNumbers.
// field must be "領収証番号" and mode "Get" or "Set" (exact, case-sensitive); anything else
// does nothing and returns "". "Get" returns the next number (1 when none is stored, and
// never one the register of issued receipts already holds);
// "Set" stores `value` as the last number used unless the stored one is already as high.
// Screens showing the counter reread it after each output (ReportPreview::outputFinished).
QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value);

