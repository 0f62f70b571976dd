#include "printing/PrintRuns.h"

#include "customers/CustomerList.h"
#include "messages/ShowMsg.h"
#include "printing/PrintRunAssembly.h"
#include "printing/ReceiptRun.h"
#include "report/ReportPreview.h"
#include "ui/DateBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace {

template <class T> QString textOf(QWidget* window, const char* name)
{
    const auto* widget = window->findChild<T*>(QString::fromUtf8(name));
    if constexpr (std::is_same_v<T, QPlainTextEdit>)
        return widget ? widget->toPlainText() : QString();
    else
        return widget ? widget->text() : QString();
}

} // namespace

void PrintRuns::takeSharedTexts(PrintRequest& request, bool fromSettingsTab) const
{
    // A list run prints the settings tab's company texts as they stand on screen; blank forms
    // print the receipt form's own.
    request.CompanyName = textOf<QLineEdit>(window_, fromSettingsTab ? "txt自社名" : "txt自社名領収証");
    request.CompanyInfo = textOf<QPlainTextEdit>(window_, fromSettingsTab ? "txt自社情報" : "txt自社情報領収証");
    request.ReceiptTitle = textOf<QLineEdit>(window_, "txt領収証タイトル");
    request.ReceiptDate = textOf<DateBox>(window_, "Dt領収日付");
    request.ReceiptProviso = textOf<QLineEdit>(window_, "txt領収証但書");
}

bool PrintRuns::Prn領収証(PrintRequest request)
{
    takeSharedTexts(request, true);
    if (customers_)
        customers_->commitPendingEdit();
    std::shared_ptr<ReportRun> run;
    const StoreResult assembled = PrintRunAssembly::listRun(request, &run);
    return open(assembled, std::move(run));
}

bool PrintRuns::Prn領収証白紙(PrintRequest request)
{
    takeSharedTexts(request, false);
    std::shared_ptr<ReportRun> run;
    const StoreResult assembled = PrintRunAssembly::blankRun(request, &run);
    return open(assembled, std::move(run));
}

ReportPreview* PrintRuns::lastPreview() const { return lastPreview_.data(); }

bool PrintRuns::open(const StoreResult& assembled, std::shared_ptr<ReportRun> run)
{
    if (!assembled) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("印刷の準備ができませんでした。\n") + assembled.error);
        return false;
    }
    lastPreview_ = ReceiptRun::showPreview(std::move(run), window_);
    return true;
}
