#pragma once
#include "report/ReportLayout.h"
#include "store/Records.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;

// 印刷位置の調整: each printer's position correction, kept by printer name, and the sheet
// printed to measure it. The sheet shows the cells of `layout`. It opens on `printer`, or on the
// system's default printer when that is empty.
class CalibrationDialog : public QDialog {
public:
    CalibrationDialog(const ReportLayout& layout, QWidget* parent = nullptr, const QString& printer = {});

    // The printer chosen, and the correction as the boxes show it.
    QString printerName() const;
    PrinterCalibration shown() const;
    // Stores the shown correction for the chosen printer; false (and the user told) on failure.
    bool save();
    void accept() override;

private:
    void showStored();
    void printSheet();

    ReportLayout layout_;
    QComboBox* printer_;
    QDoubleSpinBox* right_;
    QDoubleSpinBox* down_;
    QDoubleSpinBox* scale_;
};
