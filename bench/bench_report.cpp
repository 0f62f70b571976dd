// Receipt runs written to PDF: a blank-form run and a named run of 1,000 and 10,000
// receipts for each paper type. Reports pages per second, bytes per page after the
// first page, and the peak resident memory of the run; and a run of one file per receipt
// beside one file of the same receipts.
#include "TestData.h"
#include "app/ApplicationSetup.h"
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptRun.h"
#include "report/PagePainter.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>
#include <fstream>
#include <string>

namespace {

const char* const Families[] = {"A4 x 4",    "A4 x 4 控付", "A4 x 4 T2", "A4 x 4 T3",
                                "A4 x 4 T4", "A4 x 8",      "A4 x 8 T3", "A4 x 8 T4"};
const char* const FamilyNames[] = {"floral 4-up", "counterfoil 4-up", "leaf-scroll 4-up", "crown 4-up",
                                   "golden 4-up", "floral 8-up",      "crown 8-up",       "golden 8-up"};

// Peak resident set size in KiB since the last reset.
long peakKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// CPU seconds of this process: on a shared machine a steadier yardstick than wall time.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

void resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

QList<PrintRow> rows(int count, bool named)
{
    QList<PrintRow> result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (named)
            result.append({QStringLiteral("会員 %1 様方").arg(i + 1), qint64(1000 + i * 10), QStringLiteral("年会費として")});
        else
            result.append({QVariant(), QVariant(), QVariant()});
    }
    return result;
}

// A request as the print command makes it: numbered from the stored counter on.
PrintRequest requestFor(const QString& paper, bool named)
{
    PrintRequest s;
    s.paper = ReceiptLayouts::paperOrDefault(paper);
    s.ReceiptTitle = QStringLiteral("領　収　証");
    s.CompanyName = QStringLiteral("みどり町内会");
    s.CompanyInfo = QStringLiteral("東京都港区一丁目1番1号\n電話 03-1234-5678");
    s.ReceiptDate = QStringLiteral("令和 08年12月10日");
    s.PrintDateFlag = true;
    s.PrintAmountFlag = named;
    s.PrintNumberFlag = named;
    s.ReceiptNo = Access自社情報(QStringLiteral("領収証番号"), QStringLiteral("Get"), 0).toLongLong();
    return s;
}

qint64 pdfBytes(const QString& paper, int count, bool named, const QString& path, int* pages)
{
    const auto run = ReceiptRun::build(requestFor(paper, named), rows(count, named));
    ReceiptRun::writePdf(*run, path);
    *pages = run->pageCount();
    return QFile(path).size();
}

void BM_ReceiptPdf(benchmark::State& state)
{
    const int family = int(state.range(0));
    const bool named = state.range(1) != 0;
    const int count = int(state.range(2));
    const QString paper = QString::fromUtf8(Families[family]);
    state.SetLabel(std::string(FamilyNames[family]) + (named ? ", named" : ", blank forms"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("run.pdf"));

    // One page alone, to tell the first page's fonts and pictures from the rest.
    int onePage = 0;
    const qint64 firstPageBytes = pdfBytes(paper, 1, named, path, &onePage);

    const QList<PrintRow> receipts = rows(count, named);
    int pages = 0;
    resetPeak();
    const double cpuStart = cpuSeconds();
    for (auto _ : state) {
        const auto run = ReceiptRun::build(requestFor(paper, named), receipts); // formats every receipt
        if (!ReceiptRun::writePdf(*run, path))
            state.SkipWithError("PDF not written");
        pages = run->pageCount();
    }
    const double cpuUsed = cpuSeconds() - cpuStart;
    const qint64 bytes = QFile(path).size();
    // LEDRIUM_BENCH_KEEP=<folder> keeps each run's PDF there for a closer look.
    if (const QString keep = qEnvironmentVariable("LEDRIUM_BENCH_KEEP"); !keep.isEmpty())
        QFile::copy(path, QStringLiteral("%1/%2-%3-%4.pdf").arg(keep).arg(family).arg(named).arg(count));
    state.counters["pages"] = pages;
    state.counters["pages/cpu_s"] = cpuUsed > 0 ? double(pages) * double(state.iterations()) / cpuUsed : 0;
    state.counters["pages/s"] = benchmark::Counter(double(pages) * double(state.iterations()),
                                                   benchmark::Counter::kIsRate);
    state.counters["first_page_KB"] = double(firstPageBytes) / 1024.0;
    const double perPage = pages > 1 ? double(bytes - firstPageBytes) / (pages - 1) : 0;
    state.counters["bytes/page_after_first"] = perPage;
    // Every paper type stays within 2 KB for each page after the first.
    if (perPage > 2048)
        state.SetLabel(std::string(FamilyNames[family]) + (named ? ", named" : ", blank forms") +
                       ": OVER 2 KB PER PAGE");
    state.counters["peak_MB"] = double(peakKiB()) / 1024.0;
}

// The preview draws one page at a time at screen size; how long does one page take?
void BM_PreviewPage(benchmark::State& state)
{
    const int family = int(state.range(0));
    state.SetLabel(FamilyNames[family]);
    const auto run = ReceiptRun::build(requestFor(QString::fromUtf8(Families[family]), true), rows(1000, true));
    PagePainter pagePainter;
    QImage sheet(794, 1123, QImage::Format_ARGB32_Premultiplied); // A4 at 96 dpi, "fit page"
    int page = 0;
    for (auto _ : state) {
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.scale(96.0 / 1440, 96.0 / 1440);
        pagePainter.paint(painter, run->page(page));
        page = (page + 1) % run->pageCount();
    }
    state.counters["pages/s"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PreviewPage)->DenseRange(0, int(std::size(Families)) - 1)->Unit(benchmark::kMillisecond);

// One PDF per receipt (the per-member run) beside one PDF of all of them: files per second and
// the bytes the whole set takes, 1,000 receipts on A4 x 4.
void BM_PerMemberPdfs(benchmark::State& state)
{
    const bool perMember = state.range(0) != 0;
    constexpr int Count = 1000;
    state.SetLabel(perMember ? "one file per receipt" : "one file for all receipts");
    const QList<PrintRow> receipts = rows(Count, true);
    qint64 bytes = 0;
    qint64 files = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        const auto run = ReceiptRun::build(requestFor(QStringLiteral("A4 x 4"), true), receipts);
        QStringList written;
        const bool ok = perMember ? ReceiptRun::writePerMember(*run, dir.path(), &written)
                                  : ReceiptRun::writePdf(*run, dir.filePath(QStringLiteral("all.pdf")));
        if (!ok)
            state.SkipWithError("PDF not written");
        bytes = 0;
        files = 0;
        for (const QFileInfo& file : QDir(dir.path()).entryInfoList(QDir::Files)) {
            bytes += file.size();
            ++files;
        }
    }
    state.counters["files"] = double(files);
    state.counters["files/s"] = benchmark::Counter(double(files) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["receipts/s"] = benchmark::Counter(double(Count) * double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["total_KB"] = double(bytes) / 1024.0;
}
BENCHMARK(BM_PerMemberPdfs)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

void families(benchmark::internal::Benchmark* b)
{
    for (int family = 0; family < int(std::size(Families)); ++family)
        for (int named : {0, 1})
            for (int count : {1000, 10000})
                b->Args({family, named, count});
}

BENCHMARK(BM_ReceiptPdf)->Apply(families)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ApplicationSetup::apply(app);
    TestData data;
    if (!data.ok())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
