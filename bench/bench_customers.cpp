// A category switch as the user makes it: load 100 customers, mark them all, refresh the grid.
// A member list of 10,000 rows read from CSV: the preview, then storing and showing it.
// A category of 1,000 members loaded from a SQLite main file and from a PostgreSQL server.
#include "PgServer.h"
#include "ServerMainData.h"
#include "StartedWindow.h"
#include "app/ApplicationSetup.h"
#include "customers/CsvImportDialog.h"
#include "customers/CustomerList.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/WorkTableProtocol.h"

#include <QApplication>
#include <QComboBox>
#include <QStringEncoder>
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

// As a Japanese spreadsheet saves it: Shift_JIS, a header, quoted amounts with commas.
QByteArray memberFile(int rows)
{
    QString text = QStringLiteral("顧客名,但書,金額\r\n");
    for (int i = 1; i <= rows; ++i)
        text += QStringLiteral("会員 %1,年会費として,\"%2,000\"\r\n").arg(i).arg(i % 100 + 1);
    QStringEncoder encoder("windows-31j");
    return encoder.encode(text);
}

// Decoding, splitting, checking every row and showing the preview's tables.
void BM_CsvPreview10000(benchmark::State& state)
{
    StartedWindow started;
    const QByteArray bytes = memberFile(10000);
    for (auto _ : state) {
        CsvImportDialog preview(QStringLiteral("会員.csv"), bytes, {QStringLiteral("会員")}, QStringLiteral("会員"));
        preview.show();
        QCoreApplication::processEvents(); // the tables paint
        if (preview.plan().customers.size() != 10000)
            state.SkipWithError("not every row read");
    }
}

// Replacing the category's list in one step, then the grid showing it as a load does.
void BM_CsvStore10000(benchmark::State& state)
{
    StartedWindow started;
    const QByteArray bytes = memberFile(10000);
    CsvImportDialog preview(QStringLiteral("会員.csv"), bytes, {QStringLiteral("会員")}, QStringLiteral("会員"));
    started.window->show();
    for (auto _ : state) {
        QVariantList amounts;
        if (!CustomerImport::store(preview.plan(), QStringLiteral("会員"), CustomerImport::Mode::Replace, &amounts))
            state.SkipWithError("store failed");
        started.window->customerList()->showCategory(QStringLiteral("会員"), amounts);
        QCoreApplication::processEvents(); // the grid repaints
    }
}

// The store's part of a category switch, on either backend: the category's 1,000 members copied
// from the main data onto the work table, all marked, and read back as the grid reads them.
void BM_LoadCategory1000(benchmark::State& state, const PgServer* server)
{
    const BackendData data(server);
    const QString category = QStringLiteral("会員");
    QList<CustomerRecord> rows;
    for (int i = 1; i <= 1000; ++i)
        rows.append({i, QStringLiteral("会員 %1").arg(i), category, QStringLiteral("年会費として")});
    if (!data.error().isEmpty() || !CustomerMasterTable::replaceCategory(category, rows))
        state.SkipWithError("no category to load");
    for (auto _ : state) {
        if (!WorkTableProtocol::loadCustomerList(category) || !CustomerWorkTable::setChecks(true) ||
            CustomerWorkTable::checkedRows().size() != rows.size())
            state.SkipWithError("not loaded");
    }
}

} // namespace

BENCHMARK(BM_CategorySwitch100)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CsvPreview10000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_CsvStore10000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ApplicationSetup::apply(app);
    PgServer server;
    const QString noServer = server.startIfInstalled();
    const auto addLoad = [](const char* name, const PgServer* on) {
        benchmark::RegisterBenchmark(name, BM_LoadCategory1000, on)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    };
    addLoad("BM_LoadCategory1000/sqlite", nullptr);
    if (noServer.isEmpty())
        addLoad("BM_LoadCategory1000/postgres", &server);
    else
        qWarning("only on SQLite: %s", qPrintable(noServer));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
