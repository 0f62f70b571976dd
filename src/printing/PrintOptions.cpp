#include "printing/PrintOptions.h"

#include "messages/ShowMsg.h"
#include "preview/CalibrationDialog.h"
#include "printing/PrintRuns.h"
#include "receipt/PrintRequest.h"
#include "store/CategoryTaxTable.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "ui/NumberBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>

void PrintOptions::cmd徴収印刷_Click()
{
    panel_.frame->setVisible(true);
    panel_.frame->raise();
    panel_.listRun->setChecked(true);
    for (QCheckBox* check : {panel_.printAmount, panel_.printDate, panel_.printNumber})
        check->setChecked(true);
    panel_.copies->setValue(1);
    const QString category = panel_.category->currentText();
    const auto taxClass = ConsumptionTax::fromKey(CategoryTaxTable::read(category));
    panel_.taxClass->setCurrentIndex(int(taxClass.value_or(ConsumptionTax::TaxClass::None)));
}

void PrintOptions::cmd印刷設定閉じる_Click() { panel_.frame->setVisible(false); }

void PrintOptions::cmd印刷実行_Click()
{
    PrintRequest request;
    request.PrintAmountFlag = panel_.printAmount->isChecked();
    request.PrintDateFlag = panel_.printDate->isChecked();
    request.PrintNumberFlag = panel_.printNumber->isChecked();
    request.PrintCopies = panel_.copies->isEmpty() ? 1 : panel_.copies->value();
    request.paper = ReceiptLayouts::paperOrDefault(panel_.paper->currentText());
    request.TaxClass = ConsumptionTax::TaxClass(std::max(0, panel_.taxClass->currentIndex()));
    // Blank forms and runs without numbers print even when the counter cannot be read.
    if (request.PrintNumberFlag && !panel_.blankRun->isChecked()) {
        const ReceiptNumbers::Next next = ReceiptNumbers(Connections::mainDb()).next();
        if (!next.number) {
            // Without the stored counter a numbered run could repeat numbers already handed out.
            ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                    QStringLiteral("領収証番号を読み込めないため、印刷できません。\n") + next.error);
            return;
        }
        request.ReceiptNo = *next.number;
    }
    if (panel_.blankRun->isChecked())
        runs_->Prn領収証白紙(request);
    else
        runs_->Prn領収証(request);
}

void PrintOptions::cmd印刷位置_Click()
{
    CalibrationDialog dialog(ReceiptLayouts::forPaperType(panel_.paper->currentText()), panel_.frame->window());
    dialog.exec();
}
