#pragma once
#include "store/IssuingProcess.h"
#include "store/StoreResult.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// Which receipts were prepared for mail and how. The register entry of the file (found by the
// file's SHA-256, the newest entry when a copy went out in the same bytes) keeps the first
// preparation in its column メール; every preparation, the first included, adds a row
// 「メール作成」 to 発行記録変更. A file no entry names (a run without numbers) is passed over.
namespace RegisterMail {

struct Prepared {
    QString sha256; // of the PDF file attached
    QString how;    // the message file's name, or the mail program and the time
};
// All in one transaction; false with the reason when anything could not be written.
StoreResult note(QSqlDatabase db, const QList<Prepared>& prepared, const IssuingProcess& by);

} // namespace RegisterMail
