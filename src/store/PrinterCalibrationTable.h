#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

// 印刷位置: each printer's position correction, by printer name.
namespace PrinterCalibrationTable {
// The printer's correction; none stored reads as no correction. Nothing when the read failed.
std::optional<PrinterCalibration> read(QSqlDatabase db, const QString& printerName);
// Stores the printer's correction, replacing its earlier one; all or nothing.
StoreResult write(QSqlDatabase db, const QString& printerName, const PrinterCalibration& calibration);
} // namespace PrinterCalibrationTable
