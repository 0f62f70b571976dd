#pragma once
#include <QObject>
#include <QVariant>

// The receipt-number counter over 自社情報.領収証番号.
// field must be "領収証番号" and mode "Get" or "Set" (exact, case-sensitive); anything else
// does nothing and returns "". "Get" returns the next number (1 when none is stored);
// "Set" stores `value` as the last number used unless the stored one is already as high.
QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value);

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
