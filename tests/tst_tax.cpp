// Registration numbers, the tax in an amount and the stamp duty on a receipt.
#include "domain/ConsumptionTax.h"
#include "domain/RegistrationNumber.h"
#include "domain/StampDuty.h"

#include <QTest>

using ConsumptionTax::Rounding;
using ConsumptionTax::TaxClass;
using Verdict = RegistrationNumber::Verdict;

Q_DECLARE_METATYPE(Verdict)
Q_DECLARE_METATYPE(Rounding)
Q_DECLARE_METATYPE(TaxClass)
Q_DECLARE_METATYPE(IssuerKind)

class TstTax : public QObject {
    Q_OBJECT
private slots:
    void registrationNumbers_data();
    void registrationNumbers();
    void containedTax_data();
    void containedTax();
    void taxLines_data();
    void taxLines();
    void stampDutyTable_data();
    void stampDutyTable();
    void stampDutyPerReceipt_data();
    void stampDutyPerReceipt();
};

void TstTax::registrationNumbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Verdict>("verdict");
    QTest::addColumn<QString>("normalised");
    const QString agency = QStringLiteral("T7000012050002");
    QTest::newRow("valid corporate number") << agency << Verdict::Valid << agency;
    QTest::newRow("valid, check digit 9") << QStringLiteral("T9234567890123") << Verdict::Valid
                                          << QStringLiteral("T9234567890123");
    QTest::newRow("valid, check digit 3") << QStringLiteral("T3180301000001") << Verdict::Valid
                                          << QStringLiteral("T3180301000001");
    QTest::newRow("missing T") << QStringLiteral("7000012050002") << Verdict::Valid << agency;
    QTest::newRow("small t") << QStringLiteral("t7000012050002") << Verdict::Valid << agency;
    QTest::newRow("full-width") << QStringLiteral("Ｔ７００００１２０５０００２") << Verdict::Valid << agency;
    QTest::newRow("spaces") << QStringLiteral(" T 7000 0120 50002　") << Verdict::Valid << agency;
    QTest::newRow("check digit wrong") << QStringLiteral("T8000012050002") << Verdict::CheckDigitFails
                                       << QStringLiteral("T8000012050002");
    QTest::newRow("check digit wrong, full-width") << QStringLiteral("１２３４５６７８９０１２３")
                                                   << Verdict::CheckDigitFails << QStringLiteral("T1234567890123");
    QTest::newRow("12 digits") << QStringLiteral("T700001205000") << Verdict::Malformed << QString();
    QTest::newRow("14 digits") << QStringLiteral("T70000120500021") << Verdict::Malformed << QString();
    QTest::newRow("hyphens") << QStringLiteral("T7-0000-1205-0002") << Verdict::Malformed << QString();
    QTest::newRow("other letter") << QStringLiteral("X7000012050002") << Verdict::Malformed << QString();
    QTest::newRow("T twice") << QStringLiteral("TT7000012050002") << Verdict::Malformed << QString();
    QTest::newRow("other digits") << QStringLiteral("T٧000012050002") << Verdict::Malformed << QString();
    QTest::newRow("empty") << QStringLiteral(" 　") << Verdict::Empty << QString();
}

void TstTax::registrationNumbers()
{
    QFETCH(QString, typed);
    const RegistrationNumber::Reading reading = RegistrationNumber::read(typed);
    QTEST(reading.verdict, "verdict");
    QTEST(reading.normalised, "normalised");
}

void TstTax::containedTax_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<int>("rate");
    QTest::addColumn<qint64>("down");
    QTest::addColumn<qint64>("halfUp");
    QTest::addColumn<qint64>("up");
    QTest::newRow("zero") << qint64(0) << 10 << qint64(0) << qint64(0) << qint64(0);
    QTest::newRow("one yen 10%") << qint64(1) << 10 << qint64(0) << qint64(0) << qint64(1);
    QTest::newRow("one yen 8%") << qint64(1) << 8 << qint64(0) << qint64(0) << qint64(1);
    QTest::newRow("exact 10%") << qint64(11'990) << 10 << qint64(1'090) << qint64(1'090) << qint64(1'090);
    QTest::newRow("exact 8%") << qint64(11'988) << 8 << qint64(888) << qint64(888) << qint64(888);
    QTest::newRow("rounds up at half and above") << qint64(1'000) << 10 << qint64(90) << qint64(91) << qint64(91);
    QTest::newRow("rounds down below half") << qint64(1'000) << 8 << qint64(74) << qint64(74) << qint64(75);
    QTest::newRow("largest 10%") << qint64(9'999'999'999) << 10 << qint64(909'090'909) << qint64(909'090'909)
                                 << qint64(909'090'909);
    QTest::newRow("largest 8%") << qint64(9'999'999'999) << 8 << qint64(740'740'740) << qint64(740'740'741)
                                << qint64(740'740'741);
}

void TstTax::containedTax()
{
    QFETCH(qint64, amount);
    QFETCH(int, rate);
    QTEST(ConsumptionTax::contained(amount, rate, Rounding::Down), "down");
    QTEST(ConsumptionTax::contained(amount, rate, Rounding::HalfUp), "halfUp");
    QTEST(ConsumptionTax::contained(amount, rate, Rounding::Up), "up");
}

void TstTax::taxLines_data()
{
    QTest::addColumn<TaxClass>("taxClass");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<QString>("line");
    QTest::newRow("10%") << TaxClass::Standard << qint64(11'990) << QStringLiteral("（内消費税等 10%　¥1,090）");
    QTest::newRow("8%") << TaxClass::Reduced << qint64(11'988) << QStringLiteral("※軽減税率対象（内消費税等 8%　¥888）");
    QTest::newRow("10% of nothing") << TaxClass::Standard << qint64(0) << QStringLiteral("（内消費税等 10%　¥0）");
    QTest::newRow("exempt") << TaxClass::Exempt << qint64(5'000) << QStringLiteral("（非課税）");
    QTest::newRow("outside") << TaxClass::Outside << qint64(5'000) << QString();
    QTest::newRow("none") << TaxClass::None << qint64(5'000) << QString();
}

void TstTax::taxLines()
{
    QFETCH(TaxClass, taxClass);
    QFETCH(qint64, amount);
    const qint64 tax = ConsumptionTax::contained(amount, ConsumptionTax::rate(taxClass), Rounding::Down);
    QTEST(ConsumptionTax::line(taxClass, tax), "line");
    QCOMPARE(ConsumptionTax::fromKey(ConsumptionTax::key(taxClass)), taxClass);
}

void TstTax::stampDutyTable_data()
{
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<qint64>("duty");
    const QList<std::pair<qint64, qint64>> steps{
        {1'000'000, 200},     {2'000'000, 400},      {3'000'000, 600},      {5'000'000, 1'000},
        {10'000'000, 2'000},  {20'000'000, 4'000},   {30'000'000, 6'000},   {50'000'000, 10'000},
        {100'000'000, 20'000}, {200'000'000, 40'000}, {300'000'000, 60'000}, {500'000'000, 100'000},
        {1'000'000'000, 150'000}};
    QTest::newRow("0") << qint64(0) << qint64(0);
    QTest::newRow("49,999") << qint64(49'999) << qint64(0);
    QTest::newRow("50,000") << qint64(50'000) << qint64(200);
    qint64 next = 400;
    for (qsizetype i = 0; i < steps.size(); ++i) {
        const auto [upTo, duty] = steps.at(i);
        next = i + 1 < steps.size() ? steps.at(i + 1).second : 200'000;
        QTest::addRow("%lld", upTo) << upTo << duty;
        QTest::addRow("%lld", upTo + 1) << upTo + 1 << next;
    }
    QTest::newRow("largest amount") << qint64(9'999'999'999) << qint64(200'000);
}

void TstTax::stampDutyTable()
{
    QFETCH(qint64, amount);
    QTEST(StampDuty::forAmount(amount), "duty");
}

void TstTax::stampDutyPerReceipt_data()
{
    QTest::addColumn<IssuerKind>("issuer");
    QTest::addColumn<qint64>("amount");
    QTest::addColumn<TaxClass>("taxClass");
    QTest::addColumn<Rounding>("rounding");
    QTest::addColumn<qint64>("duty");
    const IssuerKind shop = IssuerKind::Qualified;
    QTest::newRow("no tax line: amount paid counts") << shop << qint64(54'998) << TaxClass::None << Rounding::Down << qint64(200);
    QTest::newRow("outside tax: amount paid counts") << shop << qint64(50'000) << TaxClass::Outside << Rounding::Down << qint64(200);
    QTest::newRow("exempt: amount paid counts") << shop << qint64(50'000) << TaxClass::Exempt << Rounding::Down << qint64(200);
    QTest::newRow("10% line: below once tax is off") << shop << qint64(54'998) << TaxClass::Standard << Rounding::Down << qint64(0);
    QTest::newRow("10% line: at the threshold without tax") << shop << qint64(54'999) << TaxClass::Standard << Rounding::Down << qint64(200);
    QTest::newRow("10% line: rounding up lowers the base") << shop << qint64(54'999) << TaxClass::Standard << Rounding::Up << qint64(0);
    QTest::newRow("8% line: below once tax is off") << shop << qint64(53'998) << TaxClass::Reduced << Rounding::Down << qint64(0);
    QTest::newRow("8% line: at the threshold without tax") << shop << qint64(54'000) << TaxClass::Reduced << Rounding::Down << qint64(200);
    QTest::newRow("10% line: next step without tax") << shop << qint64(1'100'001) << TaxClass::Standard << Rounding::Down << qint64(400);
    QTest::newRow("unregistered issuer") << IssuerKind::Unregistered << qint64(50'000) << TaxClass::None << Rounding::Down << qint64(200);
    QTest::newRow("issuer kind not chosen") << IssuerKind::Unset << qint64(9'999'999'999) << TaxClass::None << Rounding::Down << qint64(0);
    QTest::newRow("non-profit body") << IssuerKind::NonProfit << qint64(9'999'999'999) << TaxClass::None << Rounding::Down << qint64(0);
    QTest::newRow("non-profit body with tax line") << IssuerKind::NonProfit << qint64(110'000) << TaxClass::Standard << Rounding::Down << qint64(0);
}

void TstTax::stampDutyPerReceipt()
{
    QFETCH(IssuerKind, issuer);
    QFETCH(qint64, amount);
    QFETCH(TaxClass, taxClass);
    QFETCH(Rounding, rounding);
    QTEST(StampDuty::due(issuer, amount, taxClass, rounding), "duty");
}

QTEST_GUILESS_MAIN(TstTax)
#include "tst_tax.moc"
