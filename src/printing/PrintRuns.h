#pragma once
#include "printing/ReceiptForm.h"
#include "receipt/PrintRequest.h"
#include "settings/SettingsBlock.h"
#include "store/StoreResult.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class CustomerList;
class ReportPreview;
class ReportRun;
class QWidget;

// The two print runs: one receipt per marked customer, or a number of blank forms. Each takes
// the texts as they stand on screen into the request, records its rows in w領収証印刷 and opens
// a fresh preview in the layout of the request's paper.
class PrintRuns {
public:
    struct Sources {
        ReceiptForm::Panel form;       // title, date, proviso; the blank forms' company texts
        SettingsBlock::Panel settings; // the list run's company texts
        CustomerList* customers = nullptr;
        QWidget* window = nullptr;     // the previews' parent
        std::function<void()> afterOutput; // each time a preview has printed or saved its run
        std::function<void(ReportPreview&)> addTools; // the window's own tools on each preview
    };

    explicit PrintRuns(Sources sources) : sources_(std::move(sources)) {}

    // False when the run could not be prepared (the user has been told why).
    bool Prn領収証(PrintRequest request);
    bool Prn領収証白紙(PrintRequest request);
    // The preview the last run opened, while it is open.
    ReportPreview* lastPreview() const;

private:
    void takeSharedTexts(PrintRequest& request, bool fromSettingsTab) const;
    bool open(const StoreResult& assembled, std::shared_ptr<ReportRun> run);

    Sources sources_;
    QPointer<ReportPreview> lastPreview_;
};
