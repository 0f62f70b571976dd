#pragma once
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class BriefNotice;
class MailDialog;
class QComboBox;
class QHBoxLayout;
class QAbstractButton;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;
class PreviewPageView;
class ReportRun;

// The modeless preview of one formatted run, titled by the layout's caption. Shows one page
// at a time (drawn only when shown), pages through the run, zooms, prints and saves a PDF.
// Showing or closing it never counts as printing. Deletes itself when closed. What became of
// an output is told to whoever opened it (outputFinished); the preview shows no message itself.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    explicit ReportPreview(std::shared_ptr<ReportRun> run, QWidget* parent = nullptr);
    ~ReportPreview() override;

    ReportRun& run() { return *run_; }
    int currentPage() const; // 1-based; 0 when the run has no page
    void showPage(int pageNumber);
    // 0 = fit the whole page, -1 = fit the width, else percent.
    void setZoom(int percent);

    // Ask for a printer or a file name, then output the whole run.
    void printWithDialog();
    // The printer the next print goes to: the one printed to last, or the one chosen in
    // 印刷位置の調整, else the system's default.
    QString printerName() const { return printerName_; }
    // 印刷位置の調整 for that printer; a printer chosen there becomes the one printed to.
    void calibrate();
    void saveAsPdf();
    // Output without asking; on a failure the preview stays open for another try. The correction
    // of the printer named applies (that of `printer` itself, unless named otherwise: a printer
    // printing into a file has no name), and it becomes the one printed to.
    bool printOn(QPrinter& printer);
    bool printOn(QPrinter& printer, const QString& printerName);
    bool saveAsPdfTo(const QString& path);
    // One PDF file per receipt, into a folder asked for, or the one given.
    void savePerMember();
    bool savePerMemberTo(const QString& folder);
    // The members' e-mail addresses, one per receipt of the run (empty for none), given by
    // whoever opened the preview.
    void setMailAddresses(QStringList perReceipt) { addresses_ = std::move(perReceipt); }
    // 「メールで送る」, shown once a per-member run wrote its files here: opens the mail dialog.
    MailDialog* sendByMail();
    // A button of the opener's own in the toolbar, after the zoom box.
    QAbstractButton* addTool(const QString& objectName, const QString& text, const QString& tip,
                             std::function<void()> action);

signals:
    // After each attempt to print or save: whether it went out, and what to tell the user
    // (why it failed, or a notice such as renumbered receipts; empty when there is nothing).
    void outputFinished(bool done, const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateView();
    void afterOutput(bool done, const QString& message);

    std::shared_ptr<ReportRun> run_;
    PreviewPageView* view_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QHBoxLayout* bar_ = nullptr;
    QAbstractButton* mailButton_ = nullptr;
    QStringList addresses_;
    QStringList memberFiles_; // of the last per-member run
    QString memberFolder_;
    BriefNotice* notice_ = nullptr;
    int zoom_ = 0;
    QString printerName_;
};
