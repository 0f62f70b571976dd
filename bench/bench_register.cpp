// The register window over 100,000 issued receipts: opening it, filtering (part of a name, a
// year of issue) and sorting by a column must each stay under 100 ms (the view reads only the
// rows it shows; the sorted columns are indexed). Issuing a 100-receipt run beside them must
// stay well under 50 ms (the stored numbers are checked off the number index).
#include "TestData.h"
#include "register/RegisterModel.h"
#include "register/RegisterWindow.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "store/RegisterTable.h"
#include "store/Transaction.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

namespace {

constexpr int Entries = 100000;

void fillRegister()
{
    QList<RegisterEntry> entries;
    entries.reserve(Entries);
    const QDateTime start(QDate(2020, 1, 1), QTime(9, 0));
    for (int i = 1; i <= Entries; ++i) {
        RegisterEntry e;
        e.領収証番号 = i;
        e.領収日付 = QStringLiteral("2026年12月10日");
        e.顧客名 = QStringLiteral("会員 %1").arg(i * 7919 % Entries);
        e.領収額 = qint64(1000 + i % 50 * 500);
        e.但書 = QStringLiteral("年会費として");
        e.表題 = QStringLiteral("領収証");
        e.自社名 = QStringLiteral("ひまわり会");
        e.用紙 = QStringLiteral("A4 x 4");
        e.出力先 = QStringLiteral("会員分.pdf");
        e.種別 = RegisterTable::ListRun;
        e.発行日時 = start.addSecs(qint64(i) * 600).toString(Qt::ISODate);
        e.状態 = i % 100 == 0 ? RegisterTable::Voided : RegisterTable::Issued;
        entries.append(e);
    }
    Transaction transaction(Connections::mainDb());
    RegisterTable::insertWithin(Connections::mainDb(), entries);
    transaction.commit();
}

// The window shown with its first screen of rows laid out.
void BM_OpenWindow100k(benchmark::State& state)
{
    TestData data;
    fillRegister();
    for (auto _ : state) {
        RegisterWindow window;
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.model().rowCount());
    }
}

void BM_FilterByName100k(benchmark::State& state)
{
    TestData data;
    fillRegister();
    RegisterModel model;
    int round = 0;
    for (auto _ : state) {
        RegisterTable::Filter filter;
        filter.namePart = QStringLiteral("会員 %1").arg(++round % 90 + 10);
        model.setFilter(filter);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_FilterByDates100k(benchmark::State& state)
{
    TestData data;
    fillRegister();
    RegisterModel model;
    for (auto _ : state) {
        RegisterTable::Filter filter;
        filter.issuedFrom = QDate(2021, 1, 1);
        filter.issuedTo = QDate(2021, 12, 31);
        model.setFilter(filter);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_SortByColumn100k(benchmark::State& state)
{
    TestData data;
    fillRegister();
    RegisterModel model;
    const QStringList fields = {QStringLiteral("顧客名"), QStringLiteral("領収額"), QStringLiteral("但書"),
                                QStringLiteral("状態")};
    const int column = RegisterTable::columnOf(fields.at(state.range(0)));
    state.SetLabel(fields.at(state.range(0)).toStdString());
    bool descending = false;
    for (auto _ : state) {
        descending = !descending;
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

// One run's numbers and register entries, as an output issues them before its first page, and
// their confirmation once it has completed.
void BM_IssueRun100(benchmark::State& state)
{
    TestData data;
    fillRegister();
    const ReceiptNumbers numbers(Connections::mainDb());
    RegisterEntry entry;
    entry.顧客名 = QStringLiteral("会員");
    entry.領収額 = qint64(3000);
    entry.発行日時 = QStringLiteral("2026-12-10T09:00:00");
    entry.状態 = RegisterTable::Issued;
    const QList<RegisterEntry> entries(100, entry);
    for (auto _ : state) {
        const ReceiptNumbers::Issued issued = numbers.issue(*numbers.next().number, entries.size(), entries);
        const StoreResult confirmed = issued.result ? numbers.confirm(issued.ids) : issued.result;
        if (!confirmed)
            state.SkipWithError(confirmed.error.toStdString().c_str());
    }
}

} // namespace

BENCHMARK(BM_IssueRun100)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_OpenWindow100k)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FilterByName100k)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_FilterByDates100k)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_SortByColumn100k)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->Iterations(10);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
