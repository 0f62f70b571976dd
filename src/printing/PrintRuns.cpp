#include "printing/PrintRuns.h"

#include "customers/CustomerList.h"
#include "messages/ShowMsg.h"
#include "printing/PrintRunRows.h"
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
    QList<PrintRow> rows;
    const StoreResult recorded = PrintRunRows::forList(&rows);
    return open(request, rows, recorded);
}

bool PrintRuns::Prn領収証白紙(PrintRequest request)
{
    takeSharedTexts(request, false);
    request.PrintNumberFlag = false; // blank forms never carry a number nor move the counter
    QList<PrintRow> rows;
    const StoreResult recorded = PrintRunRows::forBlankForms(request.PrintCopies, &rows);
    return open(request, rows, recorded);
}

ReportPreview* PrintRuns::lastPreview() const { return lastPreview_.data(); }

bool PrintRuns::open(const PrintRequest& request, const QList<PrintRow>& rows, const StoreResult& recorded)
{
    if (!recorded) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("印刷の準備ができませんでした。\n") + recorded.error);
        return false;
    }
    lastPreview_ = ReceiptRun::showPreview(ReceiptRun::build(request, rows), window_);
    return true;
}
