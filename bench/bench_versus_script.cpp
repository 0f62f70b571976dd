// The command line's receipt runs, whole process against whole process, beside a yardstick: a
// short script (receipt_script.py) that draws comparable A4 4-up receipts with a mainstream PDF
// library. Runs alternate, program then script, round by round, on one machine; the medians are
// compared. For every paper type, 10,000 receipts (the stored seal left off):
// - receipts per second (target: at least 2 × the script's),
// - bytes per receipt after the first page (target: at most the script's for the 4-up layouts
//   its page compares with),
// and, for A4 x 4, the same with the seal on beside off (bytes per page: at most 2 KB more), and
// peak memory at 100,000 receipts beside 10,000 (target: within 1.2 ×).
#include "TestData.h"
#include "app/ApplicationSetup.h"
#include "store/Connections.h"

#include <QBuffer>
#include <QPen>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int Receipts = 10000;
constexpr int ManyReceipts = 100000;
constexpr int FirstPages = 8; // receipts on the first page (or two) left out of bytes per receipt
constexpr int Rounds = 3;

struct Outcome {
    bool ok = false;
    double seconds = 0;
    long peakKiB = 0;
    qint64 bytes = 0;
};

// Runs a program to its end: wall time and its own peak resident memory (wait4 reports the one
// child's), and the size of the file it wrote. Each run starts with nothing left to write to the
// disk: otherwise the first flush a program asks for (the program's lock file, a database commit)
// waits for the data the run before it, or the copying of the data between runs, left unwritten,
// and the program would be timed for another's writes.
Outcome measure(const QStringList& command, const QString& output)
{
    QFile::remove(output);
    ::sync();
    std::vector<QByteArray> arguments;
    for (const QString& argument : command)
        arguments.push_back(argument.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    timespec start{};
    timespec end{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    Outcome outcome;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
            clock_gettime(CLOCK_MONOTONIC, &end);
            outcome.ok = QFileInfo::exists(output);
            outcome.seconds = double(end.tv_sec - start.tv_sec) + double(end.tv_nsec - start.tv_nsec) / 1e9;
            outcome.peakKiB = usage.ru_maxrss;
            outcome.bytes = QFileInfo(output).size();
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    return outcome;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A seal as a scanned one is stored: a red ring, 600 pixels square.
QByteArray sealPng()
{
    QImage seal(600, 600, QImage::Format_ARGB32);
    seal.fill(Qt::transparent);
    QPainter painter(&seal);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(200, 30, 30), 40));
    painter.drawEllipse(QRectF(30, 30, 540, 540));
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    seal.save(&buffer, "PNG");
    return png;
}

// The program with its own copy of data holding three categories: 8, 10,000 and 100,000
// members. Before each run the files get back the bytes they had after a first run in place, so
// that every run starts from the same register, in files the program has opened there before
// (a copied file gets its whole-file check once, as a user's copied data folder does).
class Program {
public:
    bool prepare(const QString& builtProgram)
    {
        TestData data;
        if (!data.ok() ||
            !TestData::execMain(QStringLiteral("UPDATE コードマスタ SET sname = CASE code WHEN '01' THEN '少数' "
                                               "WHEN '02' THEN '一万' WHEN '03' THEN '十万' END "
                                               "WHERE kcode = '顧客区分' AND code IN ('01', '02', '03')")) ||
            !TestData::execMain(QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                "INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書, 領収額) "
                "SELECT i, '会員 ' || i, CASE WHEN i <= %2 THEN '少数' WHEN i <= %3 THEN '一万' ELSE '十万' END, "
                "'年会費として', 3000 FROM n")
                                    .arg(FirstPages + Receipts + ManyReceipts)
                                    .arg(FirstPages)
                                    .arg(FirstPages + Receipts)) ||
            !TestData::execMain(QStringLiteral("INSERT INTO 印影 (種類, 画像, 寸法, 印刷) VALUES ('png', ?, 200, -1)"),
                                {sealPng()}))
            return false;
        Connections::close();
        folder_ = dir_.filePath(QStringLiteral("program"));
        if (!QDir().mkpath(folder_ + QStringLiteral("/data")) ||
            !QFile::copy(builtProgram, folder_ + QStringLiteral("/ledrium")) ||
            !QFile::copy(data.mainPath(), fileOf("Ledrium.mdb")) ||
            !QFile::copy(data.workPath(), fileOf("LedriumWork.mdb")) ||
            !launch(QStringLiteral("A4 x 4"), QStringLiteral("少数"), path(QStringLiteral("first.pdf"))).ok)
            return false;
        for (const char* name : {"Ledrium.mdb", "LedriumWork.mdb"}) {
            QFile file(fileOf(name));
            if (!file.open(QIODevice::ReadOnly))
                return false;
            snapshot_.append(file.readAll());
        }
        return true;
    }

    // Runs leave the stored seal off unless `seal` says otherwise.
    Outcome run(const QString& paper, const QString& category, const QString& output, bool seal = false)
    {
        int index = 0;
        for (const char* name : {"Ledrium.mdb", "LedriumWork.mdb"}) {
            QFile file(fileOf(name));
            const QByteArray& bytes = snapshot_.at(index++);
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
                return {};
        }
        return launch(paper, category, output, seal ? QStringList() : QStringList{QStringLiteral("--no-seal")});
    }

    QString path(const QString& name) const { return dir_.filePath(name); }

private:
    QString fileOf(const char* name) const { return folder_ + QStringLiteral("/data/") + QLatin1String(name); }
    Outcome launch(const QString& paper, const QString& category, const QString& output,
                   const QStringList& more = {}) const
    {
        return measure(QStringList{folder_ + QStringLiteral("/ledrium"), QStringLiteral("--pdf"), output,
                                   QStringLiteral("--paper"), paper, QStringLiteral("--category"), category} +
                           more,
                       output);
    }

    QTemporaryDir dir_;
    QString folder_;
    QList<QByteArray> snapshot_;
};

// The script's ornaments: the program's own floral pair, as pictures of the size it embeds.
bool writeOrnament(const QString& svg, QSize size, const QString& png)
{
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return renderer.isValid() && image.save(png);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ApplicationSetup::apply(app);
    const QString built = QCoreApplication::applicationDirPath() + QStringLiteral("/../ledrium");
    Program program;
    if (!program.prepare(built)) {
        std::fprintf(stderr, "cannot prepare the program's data\n");
        return 1;
    }
    const QString script = QStringLiteral(LEDRIUM_SOURCE_DIR "/bench/receipt_script.py");
    const QString font = QStringLiteral("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf");
    const QString lowerLeft = program.path(QStringLiteral("lower_left.png"));
    const QString upperRight = program.path(QStringLiteral("upper_right.png"));
    const bool ornaments =
        writeOrnament(QStringLiteral(":/receipt/layouts/art/floral_lower_left.svg"), {440, 443}, lowerLeft) &&
        writeOrnament(QStringLiteral(":/receipt/layouts/art/floral_upper_right.svg"), {434, 438}, upperRight);
    const auto runScript = [&](int receipts, const QString& output) {
        return measure({QStringLiteral("/usr/bin/python3"), script, output, QString::number(receipts), font, lowerLeft,
                        upperRight},
                       output);
    };
    const QString scriptPdf = program.path(QStringLiteral("script.pdf"));
    const Outcome scriptFirst = runScript(FirstPages, scriptPdf);
    if (!ornaments || !scriptFirst.ok)
        std::printf("The script could not run (it needs /usr/bin/python3 and python3-reportlab): only the program's "
                    "figures follow.\n");

    std::printf("%d receipts per run, median of %d runs, whole processes; bytes per receipt after the first %d\n\n",
                Receipts, Rounds, FirstPages);
    std::printf("%-16s %12s %12s %7s   %10s %10s %7s\n", "paper", "receipts/s", "script", "ratio", "bytes/rcpt",
                "script", "ratio");
    const QString pdf = program.path(QStringLiteral("run.pdf"));
    for (const char* paperName : {"A4 x 4", "A4 x 4 T2", "A4 x 4 T3", "A4 x 4 T4", "A4 x 4 控付", "A4 x 8", "A4 x 8 T3",
                                  "A4 x 8 T4"}) {
        const QString paper = QString::fromUtf8(paperName);
        const Outcome first = program.run(paper, QStringLiteral("少数"), pdf);
        std::vector<double> ours;
        std::vector<double> theirs;
        Outcome last;
        Outcome lastScript;
        for (int round = 0; round < Rounds; ++round) {
            last = program.run(paper, QStringLiteral("一万"), pdf);
            if (last.ok)
                ours.push_back(Receipts / last.seconds);
            if (scriptFirst.ok && (lastScript = runScript(Receipts, scriptPdf)).ok)
                theirs.push_back(Receipts / lastScript.seconds);
        }
        const double rate = median(ours);
        const double scriptRate = median(theirs);
        const double bytes = first.ok && last.ok ? double(last.bytes - first.bytes) / (Receipts - FirstPages) : 0;
        const double scriptBytes = lastScript.ok ? double(lastScript.bytes - scriptFirst.bytes) / (Receipts - FirstPages) : 0;
        std::printf("%-16s %12.0f %12.0f %6.2fx   %10.0f %10.0f %6.2fx\n", paperName, rate, scriptRate,
                    scriptRate > 0 ? rate / scriptRate : 0.0, bytes, scriptBytes,
                    scriptBytes > 0 ? bytes / scriptBytes : 0.0);
        std::fflush(stdout);
    }

    // The seal: embedded once per file, drawn by reference on every receipt.
    std::vector<double> plain;
    std::vector<double> sealed;
    Outcome plainRun;
    Outcome sealedRun;
    for (int round = 0; round < Rounds; ++round) {
        if ((plainRun = program.run(QStringLiteral("A4 x 4"), QStringLiteral("一万"), pdf)).ok)
            plain.push_back(Receipts / plainRun.seconds);
        if ((sealedRun = program.run(QStringLiteral("A4 x 4"), QStringLiteral("一万"), pdf, true)).ok)
            sealed.push_back(Receipts / sealedRun.seconds);
    }
    const Outcome sealedFirst = program.run(QStringLiteral("A4 x 4"), QStringLiteral("少数"), pdf, true);
    const Outcome plainFirst = program.run(QStringLiteral("A4 x 4"), QStringLiteral("少数"), pdf);
    const auto perPage = [](const Outcome& first, const Outcome& last) {
        return first.ok && last.ok ? double(last.bytes - first.bytes) / ((Receipts - FirstPages) / 4.0) : 0.0;
    };
    std::printf("\nSeal, A4 x 4: %.0f receipts/s with it, %.0f without; bytes per page after the first %.0f with it, "
                "%.0f without (target: at most 2 KB more); whole file %lld bytes with it, %lld without\n",
                median(sealed), median(plain), perPage(sealedFirst, sealedRun), perPage(plainFirst, plainRun),
                static_cast<long long>(sealedRun.bytes), static_cast<long long>(plainRun.bytes));

    const Outcome ten = program.run(QStringLiteral("A4 x 4"), QStringLiteral("一万"), pdf);
    const Outcome hundred = program.run(QStringLiteral("A4 x 4"), QStringLiteral("十万"), pdf);
    const Outcome scriptTen = runScript(Receipts, scriptPdf);
    const Outcome scriptHundred = runScript(ManyReceipts, scriptPdf);
    std::printf("\nPeak memory, A4 x 4: %d receipts %.1f MB, %d receipts %.1f MB: %.2fx (target at most 1.2x); "
                "script %.1f MB, %.1f MB: %.2fx\n",
                Receipts, ten.peakKiB / 1024.0, ManyReceipts, hundred.peakKiB / 1024.0,
                ten.peakKiB > 0 ? double(hundred.peakKiB) / double(ten.peakKiB) : 0.0, scriptTen.peakKiB / 1024.0,
                scriptHundred.peakKiB / 1024.0,
                scriptTen.peakKiB > 0 ? double(scriptHundred.peakKiB) / double(scriptTen.peakKiB) : 0.0);
    return 0;
}
