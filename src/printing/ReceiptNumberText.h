#pragma once
#include <QString>
#include <QVariant>

// Receipt numbers as "00000": at least five digits, zero-padded; longer numbers in full.
namespace ReceiptNumberText {
QString format(qint64 number);
// The receipt form's label: "No." and the next number; "No." alone when the counter gave none.
QString formLabel(const QVariant& nextNumber);
} // namespace ReceiptNumberText
