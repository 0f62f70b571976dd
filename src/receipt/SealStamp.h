#pragma once
#include "receipt/PrintRequest.h"
#include "report/ReportControl.h"
#include "report/ReportLayout.h"

#include <optional>

// The issuer's seal on the receipts: taken from the store into a request, and placed in a cell.
namespace SealStamp {
// Puts the stored seal into the request when one is stored, set to print, usable and wanted
// (request.SealFlag); otherwise the request is left without a seal.
void takeStored(PrintRequest& request);
// The seal as a control of the layout's cells: its longer side `longSideTwips`, never more than
// the layout's room takes, pressed at the room's bottom right. None when the layout has no room.
std::optional<ReportControl> control(const ReportLayout& layout, const QImage& seal, int longSideTwips);
} // namespace SealStamp
