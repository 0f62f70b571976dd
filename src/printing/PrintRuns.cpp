#include "printing/PrintRuns.h"

#include "customers/CustomerList.h"
#include "messages/ShowMsg.h"
#include "printing/PrintRunSettings.h"
#include "printing/ReceiptRun.h"
#include "report/ReportPreview.h"
#include "store/CustomerWorkTable.h"
#include "store/PrintRowTable.h"
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

void PrintRuns::takeSharedTexts(bool fromSettingsTab)
{
    PrintRunSettings& run = PrintRunSettings::current();
    // A list run prints the settings tab's company texts as they stand on screen; blank forms
    // print the receipt form's own.
    run.CompanyName = textOf<QLineEdit>(window_, fromSettingsTab ? "txt自社名" : "txt自社名領収証");
    run.CompanyInfo = textOf<QPlainTextEdit>(window_, fromSettingsTab ? "txt自社情報" : "txt自社情報領収証");
    run.ReceiptTitle = textOf<QLineEdit>(window_, "txt領収証タイトル");
    run.ReceiptDate = textOf<DateBox>(window_, "Dt領収日付");
    run.ReceiptProviso = textOf<QLineEdit>(window_, "txt領収証但書");
}

bool PrintRuns::Prn領収証()
{
    takeSharedTexts(true);
    if (customers_)
        customers_->commitPendingEdit();
    bool read = false;
    const QList<CustomerWorkRow> marked = CustomerWorkTable::checkedRows(&read);
    if (!read)
        return open(false, QStringLiteral("顧客リストを読み込めません。"));
    QList<PrintRow> rows;
    rows.reserve(marked.size());
    for (const CustomerWorkRow& customer : marked)
        rows.append({customer.顧客名, customer.領収額, customer.但書});
    const StoreResult stored = PrintRowTable::replace(rows);
    return open(stored.ok, stored.error);
}

bool PrintRuns::Prn領収証白紙()
{
    takeSharedTexts(false);
    PrintRunSettings& run = PrintRunSettings::current();
    run.PrintNumberFlag = false; // blank forms never carry a number nor move the counter
    QList<PrintRow> rows;
    for (qint64 i = 0; i < run.PrintCopies; ++i)
        rows.append(PrintRow{});
    const StoreResult stored = PrintRowTable::replace(rows);
    return open(stored.ok, stored.error);
}

ReportPreview* PrintRuns::lastPreview() const { return lastPreview_.data(); }

bool PrintRuns::open(bool stored, const QString& reason)
{
    if (!stored) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("印刷の準備ができませんでした。\n") + reason);
        return false;
    }
    lastPreview_ = ReceiptRun::showReceiptPreview(PrintRunSettings::current().PaperType, window_);
    return true;
}
