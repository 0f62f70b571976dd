#pragma once
#include "receipt/PrintRequest.h"
#include "store/Records.h"

#include <QList>
#include <QString>

// Before a run goes out: how many of its receipts need a revenue stamp and the duty in all,
// 「収入印紙が必要な領収証：3 枚（600 円）」; empty when none does.
namespace StampNotice {
QString of(const PrintRequest& request, const PrintRowSource& rows);
} // namespace StampNotice
