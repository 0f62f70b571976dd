// Start-up to the main window on screen (databases opened, work tables rebuilt, window shown)
// beside a bare Qt window of the same size. Target: at most 1.5 × the bare window, whatever
// the size of the data: each main-window case runs on the delivered data (large:0) and on
// 10,000 customers with 100,000 register entries (large:1).
//
// Three views: whole processes from start to exit; the same processes from start until the
// window is on screen (what a user waits for: libraries, fonts, platform, window); and the same
// work inside one running process, where the bare window costs next to nothing.
#include "TestData.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "store/Connections.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTest>

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include <cstdio>

namespace {

QString self;
QString dataFolders[2]; // the delivered data, the large data

constexpr int Customers = 10000;
constexpr int RegisterEntries = 100000;

// Fills the open databases with a data set of some years: customers in ten categories and
// the register of the receipts issued to them.
bool fillLarge()
{
    return TestData::execMain(QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
               "INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書, 領収額) "
               "SELECT i, '会員 ' || i, '区分' || (i % 10), '年会費として', 3000 FROM n")
                                  .arg(Customers)) &&
           TestData::execMain(QStringLiteral(
               "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
               "INSERT INTO 発行記録 (領収証番号, 領収日付, 顧客名, 領収額, 但書, 表題, 自社名, 用紙, 出力先, "
               "種別, 発行日時, 状態) "
               "SELECT i, '2026年12月10日', '会員 ' || (i * 7919 % %2), 1000 + i % 50 * 500, '年会費として', "
               "'領収証', 'ひまわり会', 'A4 x 4', '会員分.pdf', '一覧', "
               "strftime('%Y-%m-%dT%H:%M:%S', '2020-01-01 09:00:00', '+' || (i * 600) || ' seconds'), "
               "'発行' FROM n")
                                  .arg(RegisterEntries)
                                  .arg(Customers));
}

bool showAndSettle(QWidget& window)
{
    window.show();
    const bool exposed = QTest::qWaitForWindowExposed(&window);
    QCoreApplication::processEvents();
    return exposed;
}

// In a child: tells the parent that the window is on screen.
int shown(bool exposed)
{
    std::fputs("shown\n", stdout);
    std::fflush(stdout);
    return exposed ? 0 : 1;
}

// Child process: start, show one window, leave. Exit code 0 once the window was on screen.
int child(const QString& what, int argc, char** argv)
{
    QApplication app(argc, argv);
    if (what == QLatin1String("--bare")) {
        QWidget window;
        window.resize(709, 561);
        return shown(showAndSettle(window));
    }
    if (what == QLatin1String("--label")) { // the least a window with Japanese text costs
        ApplicationSetup::apply(app);
        QWidget window;
        window.resize(709, 561);
        QLabel label(QStringLiteral("領収証　設定・情報"), &window);
        return shown(showAndSettle(window));
    }
    ApplicationSetup::apply(app);
    Frm領収証 window;
    if (!window.Form_Load(QString::fromLocal8Bit(argv[2])))
        return 1;
    return shown(showAndSettle(window));
}

void runChild(benchmark::State& state, const QStringList& arguments)
{
    for (auto _ : state) {
        QProcess process;
        process.start(self, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("child start-up failed");
            break;
        }
    }
}

// Start to the child's "shown": leaving the process is not part of starting it.
void runChildUntilShown(benchmark::State& state, const QStringList& arguments)
{
    for (auto _ : state) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(self, arguments);
        while (!process.canReadLine() && process.waitForReadyRead(30000)) {
        }
        state.SetIterationTime(double(timer.nsecsElapsed()) / 1e9);
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            state.SkipWithError("child start-up failed");
            break;
        }
    }
}

void BM_Process_BareWindow(benchmark::State& state) { runChild(state, {QStringLiteral("--bare")}); }
BENCHMARK(BM_Process_BareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_Process_BareWindowWithJapaneseLabel(benchmark::State& state) { runChild(state, {QStringLiteral("--label")}); }
BENCHMARK(BM_Process_BareWindowWithJapaneseLabel)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_Process_MainWindowStartUp(benchmark::State& state)
{
    runChild(state, {QStringLiteral("--main"), dataFolders[state.range(0)]});
}
BENCHMARK(BM_Process_MainWindowStartUp)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

void BM_UntilShown_BareWindow(benchmark::State& state) { runChildUntilShown(state, {QStringLiteral("--bare")}); }
BENCHMARK(BM_UntilShown_BareWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

void BM_UntilShown_MainWindow(benchmark::State& state)
{
    runChildUntilShown(state, {QStringLiteral("--main"), dataFolders[state.range(0)]});
}
BENCHMARK(BM_UntilShown_MainWindow)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

void BM_InProcess_BareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        QWidget window;
        window.resize(709, 561);
        benchmark::DoNotOptimize(showAndSettle(window));
    }
}
BENCHMARK(BM_InProcess_BareWindow)->Unit(benchmark::kMillisecond);

void BM_InProcess_MainWindowStartUp(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Connections::close(); // each start opens the databases afresh
        state.ResumeTiming();
        Frm領収証 window;
        if (!window.Form_Load(dataFolders[state.range(0)])) {
            state.SkipWithError("databases did not open");
            break;
        }
        benchmark::DoNotOptimize(showAndSettle(window));
        state.PauseTiming();
        window.close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_InProcess_MainWindowStartUp)->ArgName("large")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The console's report, keeping each main-window case's time to set the large data beside the
// delivered data when all have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void printRatios() const
    {
        std::printf("\nStart-up with 10,000 customers and 100,000 register entries beside the delivered data "
                    "(target at most 1.2):\n");
        for (const char* name : {"BM_Process_MainWindowStartUp", "BM_UntilShown_MainWindow",
                                 "BM_InProcess_MainWindowStartUp"}) {
            const auto time = [&](int large) {
                for (const auto& [key, value] : times_)
                    if (key.rfind(std::string(name) + "/large:" + std::to_string(large), 0) == 0)
                        return value;
                return 0.0;
            };
            if (time(0) > 0 && time(1) > 0)
                std::printf("  %-32s %.2f x\n", name, time(1) / time(0));
        }
    }

private:
    std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 2 && (qstrcmp(argv[1], "--bare") == 0 || qstrcmp(argv[1], "--label") == 0 ||
                      qstrcmp(argv[1], "--main") == 0))
        return child(QString::fromLocal8Bit(argv[1]), argc, argv);
    QApplication app(argc, argv);
    ApplicationSetup::apply(app);
    self = QCoreApplication::applicationFilePath();
    TestData data; // the delivered databases in a temporary folder
    dataFolders[0] = data.folder();
    TestData large;
    if (!large.ok() || !fillLarge())
        return 1;
    dataFolders[1] = large.folder();
    Connections::close();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
