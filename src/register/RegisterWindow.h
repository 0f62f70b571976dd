#pragma once
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class BriefNotice;
class RegisterModel;
class ReportPreview;

// 発行記録: the register of issued receipts, newest first. Filters by number range, part of the
// name, dates of issue, state, receipt dates and amounts, combined, shows the count and sum of what the filter finds, sorts by
// any column, and prints selected receipts again, voids them, or exports them to CSV.
// Modeless; hides when closed, so that it keeps its filter for the next time.
class RegisterWindow : public QWidget {
    Q_OBJECT
public:
    explicit RegisterWindow(QWidget* parent = nullptr);

    // Shows it in front, with the entries as they stand now.
    void open();
    RegisterModel& model() { return *model_; }
    QTableView& view() { return *view_; }
    QList<qint64> selectedIds() const;

    // Opens previews of the selected entries as first printed, one per paper type (void ones
    // are refused) and returns them.
    QList<ReportPreview*> reissueSelected();
    // After a question that preselects いいえ; entries already void stay as they are.
    bool voidSelected(const QString& reason) { return voidEntries(selectedIds(), reason); }
    bool voidEntries(const QList<qint64>& ids, const QString& reason);
    bool exportTo(const QString& path);
    // Compares every kept file with its SHA-256 in the register and tells the user; returns that.
    QString checkArchive();
    // Opens the kept copy of the current entry's file in the desktop's PDF viewer.
    bool openCurrentPdf();

private:
    void applyFilter();
    void showTotals();
    void askReasonAndVoid();
    void askFileAndExport();
    void askArchiveFolder();

    RegisterModel* model_ = nullptr;
    QTableView* view_ = nullptr;
    QLineEdit* numberFrom_ = nullptr;
    QLineEdit* numberTo_ = nullptr;
    QLineEdit* name_ = nullptr;
    QCheckBox* byDate_ = nullptr;
    QDateEdit* dateFrom_ = nullptr;
    QDateEdit* dateTo_ = nullptr;
    QComboBox* state_ = nullptr;
    QCheckBox* byReceiptDate_ = nullptr;
    QDateEdit* receiptFrom_ = nullptr;
    QDateEdit* receiptTo_ = nullptr;
    QLineEdit* amountFrom_ = nullptr;
    QLineEdit* amountTo_ = nullptr;
    QLabel* totals_ = nullptr;
    BriefNotice* notice_ = nullptr;
};
