#include "printing/PrintOptions.h"

#include "messages/ShowMsg.h"
#include "printing/PrintRequest.h"
#include "printing/PrintRuns.h"
#include "settings/ReceiptCounter.h"
#include "ui/NumberBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QWidget>

namespace {
template <class T> T* find(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromUtf8(name));
}
} // namespace

void PrintOptions::cmd徴収印刷_Click()
{
    if (auto* panel = find<QWidget>(window_, "Cn印刷選択")) {
        panel->setVisible(true);
        panel->raise();
    }
    if (auto* list = find<QRadioButton>(window_, "Optリスト印刷"))
        list->setChecked(true);
    for (const char* name : {"Chk金額印刷", "Chk日付印刷", "Chk番号印刷"})
        if (auto* check = find<QCheckBox>(window_, name))
            check->setChecked(true);
    if (auto* count = find<NumberBox>(window_, "num枚数"))
        count->setValue(1);
}

void PrintOptions::cmd印刷設定閉じる_Click()
{
    if (auto* panel = find<QWidget>(window_, "Cn印刷選択"))
        panel->setVisible(false);
}

void PrintOptions::cmd印刷実行_Click()
{
    PrintRequest request;
    auto checked = [this](const char* name) {
        const auto* check = find<QCheckBox>(window_, name);
        return check && check->isChecked();
    };
    request.PrintAmountFlag = checked("Chk金額印刷");
    request.PrintDateFlag = checked("Chk日付印刷");
    request.PrintNumberFlag = checked("Chk番号印刷");
    const auto* count = find<NumberBox>(window_, "num枚数");
    request.PrintCopies = !count || count->isEmpty() ? 1 : count->value();
    const auto* paper = find<QComboBox>(window_, "cmb用紙");
    request.paper = ReceiptLayouts::paperOrDefault(paper ? paper->currentText() : QString());
    const QVariant next = Access自社情報(QStringLiteral("領収証番号"), QStringLiteral("Get"), 0);
    bool isNumber = false;
    request.ReceiptNo = next.toLongLong(&isNumber);
    if (!isNumber || next.toString().isEmpty()) {
        // Without the stored counter a numbered run could repeat numbers already handed out.
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("領収証番号を読み込めないため、印刷できません。"));
        return;
    }
    const auto* blank = find<QRadioButton>(window_, "Opt白紙印刷");
    if (blank && blank->isChecked())
        runs_->Prn領収証白紙(request);
    else
        runs_->Prn領収証(request);
}
