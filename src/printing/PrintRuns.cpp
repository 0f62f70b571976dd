#include "printing/PrintRuns.h"

#include "customers/CustomerList.h"
#include "messages/ShowMsg.h"
#include "preview/PreviewWindows.h"
#include "preview/ReportPreview.h"
#include "receipt/PrintRunAssembly.h"
#include "settings/StoredSettings.h"
#include "ui/DateBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

void PrintRuns::takeSharedTexts(PrintRequest& request, bool fromSettingsTab) const
{
    const ReceiptForm::Panel& form = sources_.form;
    const SettingsBlock::Panel& settings = sources_.settings;
    // A list run prints the settings tab's company texts as they stand on screen; blank forms
    // print the receipt form's own.
    request.CompanyName = fromSettingsTab ? settings.companyName->text() : form.companyName->text();
    request.CompanyInfo = fromSettingsTab ? settings.companyInfo->toPlainText() : form.companyInfo->toPlainText();
    request.ReceiptTitle = form.title->text();
    request.ReceiptDate = form.date->text();
    request.ReceiptProviso = form.proviso->text();
    // Who issues, as registered: a number typed but not registered is not printed.
    StoredSettings::read().value_or(StoredSettings{}).fillIssuer(request);
}

bool PrintRuns::Prn領収証(PrintRequest request)
{
    takeSharedTexts(request, true);
    if (sources_.customers)
        sources_.customers->commitPendingEdit();
    std::shared_ptr<ReportRun> run;
    QString stamps;
    QStringList addresses;
    const StoreResult assembled = PrintRunAssembly::listRun(request, &run, &stamps, &addresses);
    // Before anything goes out: the stamps are due on every receipt handed over on paper, also
    // when the receipts are saved as a PDF and printed later.
    if (assembled && !stamps.isEmpty())
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), stamps);
    const bool opened = open(assembled, std::move(run));
    if (opened)
        lastPreview_->setMailAddresses(addresses);
    return opened;
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
    lastPreview_ = PreviewWindows::open(std::move(run), sources_.window);
    if (sources_.addTools)
        sources_.addTools(*lastPreview_);
    if (sources_.afterOutput)
        QObject::connect(lastPreview_, &ReportPreview::outputFinished, lastPreview_,
                         [after = sources_.afterOutput] { after(); });
    return true;
}
