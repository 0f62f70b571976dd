#pragma once
#include "report/ReportControl.h"

// The pictures of the receipt layouts (SVG artwork compiled into the program).
namespace ReceiptArt {
ReportPicture floralLowerLeft();
ReportPicture floralUpperRight();
ReportPicture floralLowerRight();
ReportPicture leafLowerLeft();
ReportPicture leafUpperRight();
ReportPicture crownFrame();
ReportPicture scrollFrame();
} // namespace ReceiptArt
