#pragma once
#include "store/Records.h"

#include <QList>

#include <memory>

class ReportRun;

// Runs that print register entries again, one run per paper type (a run has one layout), in
// order of receipt number; see ReissueFormatter.
namespace ReissueRuns {
QList<std::shared_ptr<ReportRun>> build(QList<RegisterEntry> entries);
}
