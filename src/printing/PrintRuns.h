#pragma once
#include <QPointer>
#include <QString>

class CustomerList;
class ReportPreview;
class QWidget;

// The two print runs: one receipt per marked customer, or a number of blank forms. Each fills
// w領収証印刷 in one transaction and opens a fresh preview in the layout of the paper type.
class PrintRuns {
public:
    PrintRuns(QWidget* window, CustomerList* customers) : window_(window), customers_(customers) {}

    // False when the run could not be prepared (the user has been told why).
    bool Prn領収証();
    bool Prn領収証白紙();
    // The preview the last run opened, while it is open.
    ReportPreview* lastPreview() const;

private:
    void takeSharedTexts(bool fromSettingsTab);
    bool open(bool stored, const QString& reason);

    QWidget* window_;
    CustomerList* customers_;
    QPointer<ReportPreview> lastPreview_;
};
