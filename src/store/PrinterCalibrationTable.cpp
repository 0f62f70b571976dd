#include "store/PrinterCalibrationTable.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace PrinterCalibrationTable {

std::optional<PrinterCalibration> read(QSqlDatabase db, const QString& printerName)
{
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("SELECT 左右, 上下, 倍率 FROM 印刷位置 WHERE プリンタ名 = ?"), {printerName}))
        return std::nullopt;
    if (!sql.query().next())
        return PrinterCalibration{};
    const QSqlQuery& q = sql.query();
    return PrinterCalibration{q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt()};
}

StoreResult write(QSqlDatabase db, const QString& printerName, const PrinterCalibration& calibration)
{
    return Transaction::run(db, [&] {
        SqlRunner sql(db);
        if (!sql.exec(QStringLiteral("DELETE FROM 印刷位置 WHERE プリンタ名 = ?"), {printerName}) ||
            !sql.exec(QStringLiteral("INSERT INTO 印刷位置 (プリンタ名, 左右, 上下, 倍率) VALUES (?, ?, ?, ?)"),
                      {printerName, calibration.左右, calibration.上下, calibration.倍率}))
            return StoreResult::failure(sql.error());
        return StoreResult::success();
    });
}

} // namespace PrinterCalibrationTable
