#include "preview/CalibrationDialog.h"

#include "messages/ShowMsg.h"
#include "report/CalibrationSheet.h"
#include "store/Connections.h"
#include "store/PrinterCalibrationTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <cmath>

namespace {
QDoubleSpinBox* millimetres(QWidget* parent, const char* name)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setRange(-10.0, 10.0);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

int tenths(const QDoubleSpinBox* box) { return int(std::lround(box->value() * 10)); }
} // namespace

CalibrationDialog::CalibrationDialog(const ReportLayout& layout, QWidget* parent, const QString& printer)
    : QDialog(parent), layout_(layout), printer_(new QComboBox(this)), right_(millimetres(this, "num左右")),
      down_(millimetres(this, "num上下")), scale_(new QDoubleSpinBox(this))
{
    setWindowTitle(QStringLiteral("印刷位置の調整"));
    printer_->setObjectName(QStringLiteral("cmbプリンタ"));
    printer_->setEditable(true); // a printer set up later can be named before it is installed
    printer_->addItems(QPrinterInfo::availablePrinterNames());
    printer_->setCurrentText(printer.isEmpty() ? QPrinterInfo::defaultPrinterName() : printer);
    scale_->setObjectName(QStringLiteral("num倍率"));
    scale_->setRange(95.0, 105.0);
    scale_->setDecimals(1);
    scale_->setSingleStep(0.1);
    scale_->setSuffix(QStringLiteral(" %"));

    auto* form = new QFormLayout(this);
    auto* explanation = new QLabel(
        QStringLiteral("調整用紙を印刷して、用紙の端から目盛りまでを測り、ずれを入れてください。\n"
                       "右と下がプラスです。このプリンタで印刷するときだけ使われ、PDF は動きません。"),
        this);
    explanation->setWordWrap(true);
    form->addRow(explanation);
    form->addRow(QStringLiteral("プリンタ"), printer_);
    form->addRow(QStringLiteral("左右"), right_);
    form->addRow(QStringLiteral("上下"), down_);
    form->addRow(QStringLiteral("倍率"), scale_);
    auto* sheet = new QPushButton(QStringLiteral("調整用紙を印刷"), this);
    sheet->setObjectName(QStringLiteral("cmd調整用紙"));
    form->addRow(sheet);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);

    connect(printer_, &QComboBox::currentTextChanged, this, &CalibrationDialog::showStored);
    connect(sheet, &QPushButton::clicked, this, &CalibrationDialog::printSheet);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationDialog::reject);
    showStored();
}

QString CalibrationDialog::printerName() const { return printer_->currentText().trimmed(); }

PrinterCalibration CalibrationDialog::shown() const
{
    return PrinterCalibration{tenths(right_), tenths(down_), tenths(scale_)};
}

bool CalibrationDialog::save()
{
    const QString printer = printerName();
    if (printer.isEmpty()) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("プリンタ名を入れてください。"));
        return false;
    }
    if (const StoreResult written = PrinterCalibrationTable::write(Connections::mainDb(), printer, shown()); !written) {
        ShowWriteFailure(QStringLiteral("印刷位置の調整"), written.error);
        return false;
    }
    return true;
}

void CalibrationDialog::accept()
{
    if (save())
        QDialog::accept();
}

void CalibrationDialog::showStored()
{
    const PrinterCalibration stored =
        PrinterCalibrationTable::read(Connections::mainDb(), printerName()).value_or(PrinterCalibration{});
    right_->setValue(stored.左右 / 10.0);
    down_->setValue(stored.上下 / 10.0);
    scale_->setValue(stored.倍率 / 10.0);
}

// The sheet goes out with the correction as shown, so that a correction can be checked before
// it is saved.
void CalibrationDialog::printSheet()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(printerName());
    if (!printer.isValid() || !CalibrationSheet::print(printer, layout_, shown()))
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("プリンタ「%1」に調整用紙を印刷できませんでした。").arg(printer_->currentText()));
}
