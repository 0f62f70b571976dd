#pragma once
#include "receipt/PrintRequest.h"
#include "store/StoreResult.h"

#include <QStringList>

#include <memory>

class ReportRun;

// Assembles the two print runs from a request: the rows are taken, recorded in w領収証印刷 as
// the last run, and formatted. The window and the command line both come through here.
namespace PrintRunAssembly {
// One receipt per marked customer of the work list, in 行番号 order. `stamps` receives what the
// user is told of the revenue stamps the run needs (see StampNotice); `addresses` the members'
// e-mail addresses, one per receipt (empty for none).
StoreResult listRun(const PrintRequest& request, std::shared_ptr<ReportRun>* run, QString* stamps = nullptr,
                    QStringList* addresses = nullptr);
// request.PrintCopies empty forms; blank forms never carry a number nor move the counter.
StoreResult blankRun(PrintRequest request, std::shared_ptr<ReportRun>* run);
} // namespace PrintRunAssembly
