#pragma once
#include <optional>
#include "receipt/PrintRequest.h"
#include "report/ReportHandlers.h"
#include "store/PdfArchive.h"
#include "store/ReceiptNumbers.h"
#include "store/Records.h"

#include <QHash>
#include <QList>
#include <QtGlobal>

// The handlers every receipt layout runs: fills each receipt from the row and the print-run
// settings and numbers it. An output issues numbers only for the receipts on its pages that
// have none yet, before its first page goes out, and records them as pending until it has
// completed; receipts that went out before go out again as copies marked 【再発行】, as the
// register records them.
class ReceiptFormatter : public ReportHandlers {
public:
    // Issues and records on the main database, and keeps files in its data folder's archive,
    // unless others are given.
    // `rowClasses`: each row's own tax class, in the order of the rows; a row without one, or
    // beyond the list, takes the request's.
    using RowClasses = QList<std::optional<ConsumptionTax::TaxClass>>;
    ReceiptFormatter(PrintRequest request, ReceiptNumbers numbers, PdfArchive archive, RowClasses rowClasses = {});
    explicit ReceiptFormatter(PrintRequest request, RowClasses rowClasses = {});

    void reportStart(ReportLayout& layout) override;
    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override;
    OutputClearance clearForOutput(ReportRun& run, const QString& outputName, OutputPages pages) override;
    void filesWritten(ReportRun&, const QList<WrittenFile>& files) override { written_ = files; }
    QString outputCompleted(ReportRun& run) override;
    // The numbers an output issued and that then failed are voided (they were issued, so they
    // are never used again), and the next output issues fresh ones; the copies it recorded are
    // taken back.
    void outputFailed(ReportRun& run, const QString& reason) override;

private:
    const PrintRequest request_;
    const RowClasses rowClasses_;
    qsizetype row_ = 0; // the row being formatted
    const ReceiptNumbers numbers_;
    const PdfArchive archive_;
    QList<WrittenFile> written_;
    qint64 nextNumber_ = 0;
    // What the register records of every receipt of the run alike, and per receipt what is its
    // own beyond the texts the run keeps (its number as the preview shows it, the amount as
    // received, the tax and stamp duty on it); whether it went out with that number. Small, so that a long run stays small.
    // An amount as received that is not whole yen is kept aside: it is rare.
    enum class Amount : quint8 { None, Whole, Text };
    struct Receipt {
        qint64 number = 0;
        qint64 amount = 0; // when Whole
        qint64 tax = 0;
        qint64 stampDuty = 0;
        Amount amountKind = Amount::None;
        bool hasTax = false;
        bool hasStampDuty = false;
        quint8 taxClass = 0; // ConsumptionTax::TaxClass
    };
    RegisterEntry common_;
    QList<Receipt> receipts_;
    QHash<qsizetype, QString> textAmounts_; // by cell
    QList<bool> issued_;
    // The output under way: its receipts, those of them it issued, and its register entries.
    struct Output {
        QList<int> cells;
        QList<int> fresh;
        QList<qint64> originalIds;
        QList<qint64> copyIds;
    };
    Output output_;
    // The numbers of an output that failed were voided; the next output says so as it renumbers.
    bool voided_ = false;

    QString renumber(ReportRun& run, qint64 first, const ReceiptNumbers::Issued& issued);
    // The register entry of a receipt as printed.
    RegisterEntry entryOf(const ReportRun& run, int cell) const;
};
