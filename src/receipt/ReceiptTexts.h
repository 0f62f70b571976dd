#pragma once
#include "receipt/PrintRequest.h"
#include "receipt/TaxMarks.h"
#include "store/Records.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

class ReportDetail;
class ReportRun;

// The printed fields of one receipt, made from the print request and the row's own texts. The
// names of the layout's controls appear only where a cell is read and written (rowOf, writeTo,
// writeNumber).
struct ReceiptTexts {
    // What the row brings into a cell: name, amount and proviso as stored, and the amount the
    // counterfoil shows (the same column).
    struct Row {
        QString name;
        QString amount;
        QString counterfoilAmount;
        QString proviso;
        // The row's own tax class; the run's where it has none.
        std::optional<ConsumptionTax::TaxClass> taxClass = std::nullopt;
    };

    QString name;
    QString proviso;
    QString companyName;
    QString companyInfo;
    QString title;
    QString date;
    QString amount;
    QString counterfoilAmount;
    QString number; // empty when the run prints no numbers
    QVariant amountValue; // the amount as received, whole yen where it is one; Null when not printed
    ConsumptionTax::TaxClass taxClass = ConsumptionTax::TaxClass::None; // the one printed
    TaxMarks::Texts tax;

    static ReceiptTexts of(const PrintRequest& request, const Row& row, qint64 number);
    static Row rowOf(const ReportDetail& detail);
    void writeTo(ReportDetail& detail) const;
    // Puts another number on a receipt already laid out (a run renumbered at its output).
    static void writeNumber(ReportRun& run, int cell, const QString& number);
    // The register entry of the receipt as printed (number, output and time are the issuer's).
    RegisterEntry entry(const PrintRequest& request) const;
    // The class and rate of tax an entry records for a receipt of `taxClass`.
    static void recordClass(RegisterEntry& entry, ConsumptionTax::TaxClass taxClass);
    // The day a printed date names, in either of the date box's forms; invalid for a blank one.
    static QDate dayOf(const QString& printedDate);
};
