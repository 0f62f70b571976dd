#pragma once
#include <QObject>
#include <QVariant>

#include "store/StoreResult.h"

// The receipt-number counter over 自社情報.領収証番号.
// field must be "領収証番号" and mode "Get" or "Set" (exact, case-sensitive); anything else
// does nothing and returns "". "Get" returns the next number (1 when none is stored);
// "Set" stores `value` as the last number used unless the stored one is already as high.
QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value);

// Issues `count` numbers for a run about to go out (see CompanyTable::issueReceiptNumbers)
// and tells the screens the new last number. `issuedFirst` receives the first one issued.
StoreResult issueReceiptNumbers(qint64 first, qint64 count, qint64* issuedFirst);

// Tells the screens when the stored last receipt number has gone up, so that nothing
// showing the old number can write it back.
class ReceiptCounterSignals : public QObject {
    Q_OBJECT
public:
    static ReceiptCounterSignals& instance();

signals:
    void lastNumberRaised(qint64 lastNumber);
    // A "Set" that could not be stored (the number is then not recorded).
    void writeFailed(const QString& reason);
};
