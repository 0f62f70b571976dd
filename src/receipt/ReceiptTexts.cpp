#include "receipt/ReceiptTexts.h"

#include "domain/EraDateFormat.h"
#include "receipt/ReceiptFormat.h"
#include "report/ReportDetail.h"
#include "report/ReportRun.h"
#include "store/RegisterTable.h"

ReceiptTexts ReceiptTexts::of(const PrintRequest& s, const Row& row, qint64 number)
{
    ReceiptTexts t;
    t.name = row.name;
    t.proviso = !row.proviso.isEmpty()        ? row.proviso
                : s.ReceiptProviso.isEmpty() ? ReceiptFormat::defaultProviso()
                                             : s.ReceiptProviso;
    t.companyName = s.CompanyName;
    t.companyInfo = s.CompanyInfo;
    t.title = s.ReceiptTitle;
    t.date = s.PrintDateFlag && !s.ReceiptDate.isEmpty() ? s.ReceiptDate : ReceiptFormat::blankDate();
    if (s.PrintAmountFlag && !row.amount.isEmpty()) {
        t.amount = ReceiptFormat::amountPrefix() + ReceiptFormat::amount(row.amount) + ReceiptFormat::amountSuffix();
        t.counterfoilAmount = ReceiptFormat::counterfoilPrefix() + ReceiptFormat::amount(row.counterfoilAmount) +
                              ReceiptFormat::counterfoilSuffix();
        bool whole = false;
        const qint64 yen = row.amount.toLongLong(&whole);
        t.amountValue = whole ? QVariant(yen) : QVariant(row.amount);
    } else {
        t.amount = s.paper.eightUp && s.PrintAmountFlag ? ReceiptFormat::blankAmountNarrow()
                                                        : ReceiptFormat::blankAmountWide();
        t.counterfoilAmount = ReceiptFormat::counterfoilBlankAmount();
    }
    t.number = s.PrintNumberFlag ? ReceiptFormat::number(number) : QString();
    const bool whole = t.amountValue.typeId() == QMetaType::LongLong;
    PrintRequest ofRow = s;
    ofRow.TaxClass = t.taxClass = row.taxClass.value_or(s.TaxClass);
    t.tax = TaxMarks::textsFor(ofRow, whole ? std::optional<qint64>(t.amountValue.toLongLong()) : std::nullopt);
    return t;
}

ReceiptTexts::Row ReceiptTexts::rowOf(const ReportDetail& detail)
{
    return {detail.text(QStringLiteral("txt氏名")), detail.text(QStringLiteral("txt領収額")),
            detail.text(QStringLiteral("txt領収額控")), detail.text(QStringLiteral("txt但書"))};
}

void ReceiptTexts::writeTo(ReportDetail& detail) const
{
    detail.setText(QStringLiteral("txt但書"), proviso);
    detail.setText(QStringLiteral("txt会名称"), companyName);
    detail.setText(QStringLiteral("txt会情報"), companyInfo);
    detail.setText(QStringLiteral("Lbl領収証タイトル"), title);
    detail.setText(QStringLiteral("txt日付"), date);
    detail.setText(QStringLiteral("txt日付控"), date);
    detail.setText(QStringLiteral("txt領収額"), amount);
    detail.setText(QStringLiteral("txt領収額控"), counterfoilAmount);
    detail.setText(QStringLiteral("txtNo"), number);
    detail.setText(QStringLiteral("txtNo控"), number);
    detail.setText(TaxMarks::taxLineControl(), tax.taxLine);
    detail.setText(TaxMarks::registrationControl(), tax.registration);
    detail.setText(TaxMarks::stampControl(), tax.stamp);
}

void ReceiptTexts::writeNumber(ReportRun& run, int cell, const QString& number)
{
    run.setText(cell, QStringLiteral("txtNo"), number);
    run.setText(cell, QStringLiteral("txtNo控"), number);
}

RegisterEntry ReceiptTexts::entry(const PrintRequest& request) const
{
    RegisterEntry entry;
    entry.領収日付 = date;
    entry.顧客名 = name;
    entry.領収額 = amountValue;
    entry.但書 = proviso;
    entry.表題 = title;
    entry.自社名 = companyName;
    entry.自社情報 = companyInfo;
    entry.用紙 = request.paper.name;
    entry.種別 = RegisterTable::ListRun; // blank forms carry no number
    recordClass(entry, taxClass);
    entry.消費税額 = tax.tax ? QVariant(*tax.tax) : QVariant();
    entry.登録番号 = tax.registration.isEmpty() ? QString() : request.RegistrationNumber;
    // Judged only for an issuer who said who it is.
    entry.印紙税額 = request.Issuer == IssuerKind::Unset || amountValue.isNull() ? QVariant() : QVariant(tax.stampDuty);
    entry.領収日 = dayOf(date).toString(Qt::ISODate);
    return entry;
}

void ReceiptTexts::recordClass(RegisterEntry& entry, ConsumptionTax::TaxClass taxClass)
{
    entry.税区分 = ConsumptionTax::key(taxClass);
    const int rate = ConsumptionTax::rate(taxClass);
    entry.税率 = rate > 0 ? QVariant(rate) : QVariant();
}

QDate ReceiptTexts::dayOf(const QString& printedDate)
{
    const QDate gregorian = EraDateFormat::parse(printedDate, EraDateFormat::GregorianPattern);
    return gregorian.isValid() ? gregorian : EraDateFormat::parse(printedDate, EraDateFormat::EraPattern);
}
