// A category switch as the user makes it: load 100 customers, mark them all, refresh the grid.
#include "StartedWindow.h"
#include "app/ApplicationSetup.h"
#include "store/CustomerMasterTable.h"

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

namespace {

void BM_CategorySwitch100(benchmark::State& state)
{
    StartedWindow started;
    QList<CustomerRecord> rows;
    for (int i = 1; i <= 100; ++i)
        rows.append({i, QStringLiteral("会員 %1").arg(i), QStringLiteral("会員"), QStringLiteral("年会費として")});
    CustomerMasterTable::replaceCategory(QStringLiteral("会員"), rows);
    auto* box = started.get<QComboBox>("cmb顧客区分");
    box->addItem(QStringLiteral("会員"));
    box->setCurrentIndex(0);
    started.window->show();
    for (auto _ : state) {
        started.window->cmb顧客区分_LostFocus();
        QCoreApplication::processEvents(); // the grid repaints
    }
}

} // namespace

BENCHMARK(BM_CategorySwitch100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ApplicationSetup::apply(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
