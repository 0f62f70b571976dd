// Work-table protocol on w顧客マスタ: rebuild, load and register of a 100-customer list; one
// receipt-counter write. Every one is a save a user waits for: each must stay well under 50 ms
// with every commit synced into the database file itself.
#include "TestData.h"
#include "store/CompanyTable.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/WorkTableProtocol.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

const QString category = QStringLiteral("会員");

void fillMaster()
{
    QList<CustomerRecord> rows;
    for (int i = 1; i <= 100; ++i)
        rows.append({i, QStringLiteral("会員 %1 様").arg(i), category, QStringLiteral("年会費として")});
    CustomerMasterTable::replaceCategory(category, rows);
}

void BM_RebuildBlank100(benchmark::State& state)
{
    TestData data;
    for (auto _ : state)
        benchmark::DoNotOptimize(CustomerWorkTable::rebuild().ok);
}

void BM_LoadCategory100(benchmark::State& state)
{
    TestData data;
    fillMaster();
    for (auto _ : state)
        benchmark::DoNotOptimize(WorkTableProtocol::loadCustomerList(category).ok);
}

void BM_RegisterList100(benchmark::State& state)
{
    TestData data;
    fillMaster();
    WorkTableProtocol::loadCustomerList(category);
    for (auto _ : state)
        benchmark::DoNotOptimize(WorkTableProtocol::registerCustomerList(category).ok);
}

void BM_CounterWrite(benchmark::State& state)
{
    TestData data;
    CompanyTable::writeFirst({QStringLiteral("会"), {}, QStringLiteral("西暦"), 0});
    qint64 number = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(CompanyTable::raiseReceiptNumber(++number).ok);
}

} // namespace

BENCHMARK(BM_RebuildBlank100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadCategory100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RegisterList100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CounterWrite)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
