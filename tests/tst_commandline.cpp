// The command line writes the same PDF as the window's runs, issues the numbers as PDF保存
// does, and refuses bad requests with a Japanese message, writing nothing.
#include "PdfText.h"
#include "PgServer.h"
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "StartedWindow.h"
#include "app/ApplicationSetup.h"
#include "domain/Clock.h"
#include "preview/ReportPreview.h"
#include "printing/PrintRuns.h"
#include "store/CategoryTaxTable.h"
#include "store/CodeMasterTable.h"
#include "store/CompanyTable.h"
#include "store/CustomerMasterTable.h"
#include "store/ServerAddress.h"
#include "store/SqlRunner.h"
#include "store/WorkTableProtocol.h"
#include "ui/NumberBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <QSet>
#include <QSqlDatabase>

#include <algorithm>

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sameAsTheWindow_data();
    void sameAsTheWindow();
    void refusals_data();
    void refusals();
    void taxClassAndStamps_data();
    void taxClassAndStamps();
    void neverWritesOverItsOwnData_data();
    void neverWritesOverItsOwnData();
    void twoComputersPrintFromOneServer();
    void onePdfPerMember();
    void mailFolderWritesAMessagePerAddress();
    void sealAsInTheWindowUnlessLeftOff();
    void damageFoundAfterARunEndedWithoutClosing_data();
    void damageFoundAfterARunEndedWithoutClosing();
};

namespace {

struct Result {
    int exitCode = -1;
    QString out;
    QString err;
};

// The built program copied into `folder`, with the data folder `folder`/data beside it.
bool installProgram(const QString& folder)
{
    const QString built = qEnvironmentVariable("LEDRIUM_BUILD_DIR") + u("/ledrium");
    return QFile::copy(built, folder + u("/ledrium"));
}

Result runProgram(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    process.start(folder + u("/ledrium"), arguments);
    Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// Every database file of one folder (the logs included) into another.
bool copyData(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QString& name : QDir(from).entryList({u("*.mdb*")}, QDir::Files))
        if (!QFile::copy(from + u("/") + name, to + u("/") + name))
            return false;
    return true;
}

int pdfPages(const QString& pdf)
{
    QProcess info;
    info.start(u("pdfinfo"), {pdf});
    info.waitForFinished();
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(u("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// A category with members and the company's settings, as a user would have stored them.
void arrange(const QString& era)
{
    QVERIFY(CompanyTable::writeFirst({u("みどり町内会"), u("東京都港区一丁目1番1号\n電話 03-1234-5678"), era, 40}));
    QVERIFY(CodeMasterTable::replaceKind(u("顧客区分"), {u("正会員"), u("賛助会員")}));
    QList<CustomerRecord> rows;
    const QStringList names = {u("相川 一郎"), u("井上 花子"), u("上田 \"三郎\""), u("江口 四郎"), u("小野 五郎")};
    for (int i = 0; i < names.size(); ++i)
        rows.append({i + 1, names[i], u("正会員"), i == 1 ? QVariant(u("年会費として")) : QVariant()});
    QVERIFY(CustomerMasterTable::replaceCategory(u("正会員"), rows));
    QVERIFY(CustomerMasterTable::replaceCategory(u("賛助会員"), {}));
}

// The program in `program`, its data folder arranged as above.
void installArranged(const QTemporaryDir& program)
{
    {
        TestData data;
        arrange(u("西暦"));
        QVERIFY(copyData(data.folder(), program.filePath(u("data"))));
    }
    QVERIFY(installProgram(program.path()));
}

} // namespace

void TestCommandLine::initTestCase()
{
    if (!QFile::exists(qEnvironmentVariable("LEDRIUM_BUILD_DIR") + u("/ledrium")))
        QSKIP("the program is not built beside this test");
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
}

void TestCommandLine::sameAsTheWindow_data()
{
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<int>("blankForms"); // 0 = the category's list run
    QTest::addColumn<QStringList>("switches");
    QTest::newRow("era dates, 4-up") << u("和暦") << u("A4 x 4") << 0 << QStringList();
    QTest::newRow("8-up, no amount") << u("西暦") << u("A4 x 8 T3") << 0 << QStringList{u("--no-amount")};
    QTest::newRow("counterfoil, no date, no number") << u("和暦") << u("A4 x 4 控付") << 0
                                                    << QStringList{u("--no-date"), u("--no-number")};
    QTest::newRow("blank forms") << u("西暦") << u("A4 x 8") << 11 << QStringList();
}

// The same data, printed once through the window and once through the command line (each on
// its own copy of the data folder): the two PDFs read the same, page for page.
void TestCommandLine::sameAsTheWindow()
{
    QFETCH(QString, era);
    QFETCH(QString, paper);
    QFETCH(int, blankForms);
    QFETCH(QStringList, switches);
    ScriptedMessagePresenter::install();
    StartedWindow started([&] { arrange(era); });
    QTemporaryDir program;
    QVERIFY(copyData(started.data.folder(), program.filePath(u("data"))));
    QVERIFY(installProgram(program.path()));

    // The window, as a user does it.
    auto* category = started.get<QComboBox>("cmb顧客区分");
    category->setCurrentIndex(category->findText(u("正会員")));
    QTest::mouseClick(started.get<QAbstractButton>("cmd徴収読込"), Qt::LeftButton);
    QTest::mouseClick(started.get<QAbstractButton>("cmd徴収印刷"), Qt::LeftButton);
    auto* paperBox = started.get<QComboBox>("cmb用紙");
    paperBox->setCurrentIndex(paperBox->findText(paper));
    if (blankForms) {
        started.get<QRadioButton>("Opt白紙印刷")->setChecked(true);
        started.get<NumberBox>("num枚数")->setValue(blankForms);
    }
    started.get<QCheckBox>("Chk日付印刷")->setChecked(!switches.contains(u("--no-date")));
    started.get<QCheckBox>("Chk金額印刷")->setChecked(!switches.contains(u("--no-amount")));
    started.get<QCheckBox>("Chk番号印刷")->setChecked(!switches.contains(u("--no-number")));
    QTest::mouseClick(started.get<QAbstractButton>("cmd印刷実行"), Qt::LeftButton);
    ReportPreview* preview = started.window->printRuns()->lastPreview();
    QVERIFY(preview);
    QTemporaryDir out;
    const QString fromWindow = out.filePath(u("window.pdf"));
    QVERIFY(preview->saveAsPdfTo(fromWindow));

    // The command line, on the copy.
    const QString fromCommandLine = out.filePath(u("command line.pdf"));
    QStringList arguments = {u("--pdf"), fromCommandLine, u("--paper"), paper, u("--date"), u("2026-12-10")};
    arguments << (blankForms ? QStringList{u("--blank"), QString::number(blankForms)}
                             : QStringList{u("--category"), u("正会員")});
    const Result result = runProgram(program.path(), arguments + switches);
    QVERIFY2(result.exitCode == 0, qPrintable(result.err));
    const bool numbered = !blankForms && !switches.contains(u("--no-number"));
    QCOMPARE(result.out, numbered ? u("00041 00045\n") : QString());

    QCOMPARE(pdfPages(fromCommandLine), pdfPages(fromWindow));
    QCOMPARE(pdfText(fromCommandLine), pdfText(fromWindow));
    QVERIFY(pdfText(fromWindow).contains(blankForms ? u("領収証") : u("上田 \"三郎\"")));

    // The numbers are issued as PDF保存 issues them: the next run goes on after them.
    if (numbered) {
        const Result again = runProgram(program.path(), arguments);
        QCOMPARE(again.out, u("00046 00050\n"));
    }
}

void TestCommandLine::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString pdf = u("out.pdf");
    QTest::newRow("unknown paper type") << QStringList{u("--pdf"), pdf, u("--paper"), u("A5"), u("--category"), u("正会員")}
                                        << 1 << u("用紙タイプ「A5」はありません");
    QTest::newRow("unknown category") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--category"), u("幽霊")}
                                      << 1 << u("顧客区分「幽霊」はありません");
    QTest::newRow("category without members")
        << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--category"), u("賛助会員")} << 1
        << u("印刷する顧客がいません");
    QTest::newRow("both category and blank")
        << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--category"), u("正会員"), u("--blank"), u("3")}
        << 2 << u("どちらか一方");
    QTest::newRow("no file") << QStringList{u("--paper"), u("A4 x 4"), u("--blank"), u("3")} << 2 << u("--pdf");
    QTest::newRow("negative count") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("-3")}
                                    << 2 << u("1 から 99999");
    QTest::newRow("no such date") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"),
                                                 u("--date"), u("2026-02-30")}
                                  << 2 << u("存在する日付");
    QTest::newRow("date out of range") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"),
                                                      u("--date"), u("2100-01-01")}
                                       << 2 << u("2099-12-31");
    // Options are named as typed, dashes and all.
    QTest::newRow("unknown tax class") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"),
                                                      u("--tax"), u("５")}
                                       << 2 << u("--tax は 10・8・exempt・outside・none のどれかで指定してください。（指定：「５」）");
    QTest::newRow("unknown option") << QStringList{u("--pdf"), pdf, u("--colour")} << 2 << u("「--colour」");
    QTest::newRow("unknown option with a value") << QStringList{u("--pdf"), pdf, u("--fooo=1")} << 2 << u("「--fooo」");
    QTest::newRow("unknown short options") << QStringList{u("--pdf"), pdf, u("-xy")} << 2 << u("「-xy」");
    QTest::newRow("value missing") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"), u("--date")}
                                   << 2 << u("「--date」のあとに値を指定してください。");
    QTest::newRow("value to a switch") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"), u("--no-date=1")}
                                       << 2 << u("「--no-date」には値を付けません。");
    // The date exactly as YYYY-MM-DD, named in the refusal as given.
    for (const char* given : {"2024-02-03xyz", "2024-02-03T10:00", "2024-2-3", "20240203", "2024-02-03\n", "２０２４-02-03"}) {
        const QString value = u(given);
        QTest::newRow(given) << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1"), u("--date"), value}
                             << 2 << u("--date は YYYY-MM-DD の形の、存在する日付で指定してください。（指定：「") + value;
    }
    QTest::newRow("file cannot be written")
        << QStringList{u("--pdf"), u("/no-such-folder/out.pdf"), u("--paper"), u("A4 x 4"), u("--category"), u("正会員")}
        << 1 << u("PDF ファイルを保存できませんでした");
    QTest::newRow("database missing") << QStringList{u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--blank"), u("1")}
                                      << 1 << u("Ledrium.mdb");
}

// Each refusal says why in Japanese, exits non-zero, writes no file and issues no number.
void TestCommandLine::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QTemporaryDir program;
    installArranged(program);
    if (message == u("Ledrium.mdb"))
        QVERIFY(QFile::remove(program.filePath(u("data/Ledrium.mdb"))));
    QDir::setCurrent(program.path());
    const Result result = runProgram(program.path(), arguments);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QVERIFY(!QFile::exists(program.filePath(u("out.pdf"))));
    if (message != u("Ledrium.mdb")) {
        const Result next = runProgram(program.path(), {u("--pdf"), u("out.pdf"), u("--paper"), u("A4 x 4"),
                                                         u("--category"), u("正会員")});
        QCOMPARE(next.out, u("00041 00045\n")); // nothing was issued by the refused run
    }
}

void TestCommandLine::taxClassAndStamps_data()
{
    QTest::addColumn<QStringList>("tax");    // the --tax option, if any
    QTest::addColumn<QString>("line");       // the tax line of ¥110,000, blanks left out; empty: none
    QTest::addColumn<QString>("stamps");     // told on standard error before the output
    QTest::newRow("the category's default") << QStringList() << u("※軽減税率対象（内消費税等8%¥8,148）")
                                            << u("収入印紙が必要な領収証：1 枚（200 円）");
    QTest::newRow("--tax 10") << QStringList{u("--tax"), u("10")} << u("（内消費税等10%¥10,000）")
                              << u("収入印紙が必要な領収証：1 枚（200 円）");
    QTest::newRow("--tax outside") << QStringList{u("--tax"), u("outside")} << QString()
                                   << u("収入印紙が必要な領収証：1 枚（200 円）");
    QTest::newRow("--tax none") << QStringList{u("--tax"), u("none")} << QString() << u("収入印紙が必要な領収証：1 枚（200 円）");
}

// A qualified issuer's run takes the category's default tax class unless --tax names another,
// and says before writing how many receipts need a revenue stamp.
void TestCommandLine::taxClassAndStamps()
{
    QFETCH(QStringList, tax);
    QFETCH(QString, line);
    QFETCH(QString, stamps);
    QTemporaryDir program;
    {
        TestData data;
        QVERIFY(CompanyTable::writeFirst({u("みどり商店"), u("東京都"), u("西暦"), 0, u("qualified"), u("T7000012050002"), u("down")}));
        QVERIFY(CodeMasterTable::replaceKind(u("顧客区分"), {u("お得意様")}));
        QVERIFY(CustomerMasterTable::replaceCategory(
            u("お得意様"), {{1, u("相川 一郎"), u("お得意様"), {}, qint64(110'000)}, {2, u("井上 花子"), u("お得意様"), {}, qint64(3'000)}}));
        QVERIFY(CategoryTaxTable::write(u("お得意様"), u("8")));
        QVERIFY(copyData(data.folder(), program.filePath(u("data"))));
    }
    QVERIFY(installProgram(program.path()));
    const Result result = runProgram(program.path(), QStringList{u("--pdf"), program.filePath(u("out.pdf")), u("--paper"),
                                                                 u("A4 x 4"), u("--category"), u("お得意様")} + tax);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, u("00001 00002\n"));
    QVERIFY2(result.err.contains(stamps), qPrintable(result.err));
    const QString text = pdfText(program.filePath(u("out.pdf")), "-raw").remove(QRegularExpression(u("[\\s　]")));
    QVERIFY2(text.contains(u("登録番号T7000012050002")), qPrintable(text));
    QCOMPARE(text.contains(u("内消費税等")), !line.isEmpty());
    if (!line.isEmpty())
        QVERIFY2(text.contains(line), qPrintable(text));
}

void TestCommandLine::neverWritesOverItsOwnData_data()
{
    QTest::addColumn<QString>("link");   // made in the program's folder first, "" for none
    QTest::addColumn<QString>("target"); // what the link points to
    QTest::addColumn<QString>("pdf");    // the --pdf argument
    QTest::addColumn<QString>("named");  // the data file the refusal names
    QTest::newRow("the main database") << QString() << QString() << u("data/Ledrium.mdb") << u("Ledrium.mdb");
    QTest::newRow("the work database") << QString() << QString() << u("data/LedriumWork.mdb") << u("LedriumWork.mdb");
    QTest::newRow("a journal not there") << QString() << QString() << u("data/Ledrium.mdb-journal")
                                         << u("Ledrium.mdb-journal");
    QTest::newRow("the lock") << QString() << QString() << u("data/Ledrium.lock") << u("Ledrium.lock");
    QTest::newRow("by a roundabout path") << QString() << QString() << u("data/../data/./Ledrium.mdb") << u("Ledrium.mdb");
    QTest::newRow("through a link") << u("link.pdf") << u("data/Ledrium.mdb") << u("link.pdf") << u("Ledrium.mdb");
    QTest::newRow("through a dangling link") << u("link.pdf") << u("data/LedriumWork.mdb-journal") << u("link.pdf")
                                             << u("LedriumWork.mdb-journal");
    QTest::newRow("through a linked folder") << u("out") << u("data") << u("out/Ledrium.mdb") << u("Ledrium.mdb");
    QTest::newRow("through a chain of links") << u("b.pdf") << u("link.pdf") << u("b.pdf") << u("Ledrium.mdb");
    // The system takes ".." after a linked folder from where the link leads, not from the text.
    QTest::newRow("up from a linked folder") << u("sub/up") << u("../data") << u("sub/up/../data/Ledrium.mdb")
                                             << u("Ledrium.mdb");
}

// A PDF over the program's own files is refused before any number is issued, naming the file;
// the databases stay byte for byte.
void TestCommandLine::neverWritesOverItsOwnData()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QString, pdf);
    QFETCH(QString, named);
    QTemporaryDir program;
    installArranged(program);
    QDir::setCurrent(program.path());
    if (link == u("b.pdf"))
        QVERIFY(QFile::link(u("data/Ledrium.mdb"), u("link.pdf")));
    if (link == u("sub/up")) // with a folder where the text seems to lead
        QVERIFY(QDir().mkpath(u("sub/data")));
    if (!link.isEmpty())
        QVERIFY(QFile::link(target, link));
    const auto bytesOf = [&](const QString& name) {
        QFile file(program.filePath(u("data/") + name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray main = bytesOf(u("Ledrium.mdb"));
    const QByteArray work = bytesOf(u("LedriumWork.mdb"));
    QVERIFY(!main.isEmpty() && !work.isEmpty());

    const Result result = runProgram(program.path(), {u("--pdf"), pdf, u("--paper"), u("A4 x 4"), u("--category"), u("正会員")});
    QCOMPARE(result.exitCode, 1);
    QVERIFY2(result.err.contains(u("/data/") + named), qPrintable(result.err));
    QVERIFY(result.out.isEmpty());
    QCOMPARE(bytesOf(u("Ledrium.mdb")), main);
    for (const QString& name : {u("Ledrium.mdb-journal"), u("LedriumWork.mdb-journal"), u("Ledrium.lock")})
        QVERIFY2(!QFileInfo::exists(program.filePath(u("data/") + name)), qPrintable(name));
    const Result next = runProgram(program.path(), {u("--pdf"), u("out.pdf"), u("--paper"), u("A4 x 4"),
                                                     u("--category"), u("正会員")});
    QCOMPARE(next.out, u("00041 00045\n")); // nothing was issued by the refused run
}

// A data folder copied to a server, then two computers (two programs, each with its own data
// folder) printing the same list from that server at the same moments: every number once, each
// in its PDF, and the register holds them all. A server that cannot be reached writes nothing.
void TestCommandLine::twoComputersPrintFromOneServer()
{
    if (const QString missing = PgServer::missing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    PgServer server;
    QVERIFY(server.start().isEmpty());
    QVERIFY(server.createDatabase(u("shared")).isEmpty());
    const QString shared = server.connection(u("shared"));
    QTemporaryDir first;
    installArranged(first);
    Result copied = runProgram(first.path(), {u("--copy-to-server"), u("--server"), shared});
    QVERIFY2(copied.exitCode == 0, qPrintable(copied.err));
    QVERIFY2(copied.out.contains(u("顧客 5 件")), qPrintable(copied.out));
    for (const QString& again : {u("--copy-to-server"), u("--init-server")}) {
        const Result refused = runProgram(first.path(), {again, u("--server"), shared});
        QCOMPARE(refused.exitCode, 1);
        QVERIFY2(refused.err.contains(u("既に表があります")), qPrintable(refused.err));
    }
    QTemporaryDir second;
    QVERIFY(installProgram(second.path()));
    QVERIFY(copyData(qEnvironmentVariable("LEDRIUM_BUILD_DIR") + u("/data"), second.filePath(u("data"))));

    constexpr int rounds = 6;
    QStringList numbers;
    for (int round = 0; round < rounds; ++round) {
        QList<QProcess*> computers;
        for (const QTemporaryDir* computer : {&first, &second}) {
            auto* process = new QProcess;
            process->start(computer->filePath(u("ledrium")),
                           {u("--pdf"), computer->filePath(u("r%1.pdf").arg(round)), u("--paper"), u("A4 x 4"),
                            u("--category"), u("正会員"), u("--server"), shared});
            computers << process;
        }
        for (QProcess* process : computers) {
            QVERIFY(process->waitForFinished(60000));
            QVERIFY2(process->exitCode() == 0, process->readAllStandardError().constData());
            delete process;
        }
        for (const QTemporaryDir* computer : {&first, &second})
            numbers += numbersIn(computer->filePath(u("r%1.pdf").arg(round)));
    }
    QCOMPARE(numbers.size(), 2 * rounds * 5);
    QCOMPARE(QSet<QString>(numbers.cbegin(), numbers.cend()).size(), numbers.size());
    std::sort(numbers.begin(), numbers.end());
    QCOMPARE(numbers.first(), u("00041"));
    QCOMPARE(numbers.last(), u("%1").arg(40 + 2 * rounds * 5, 5, 10, QLatin1Char('0')));
    {
        QString error;
        QVERIFY(ServerAddress::parse(shared, &error)->open(u("check")).isEmpty());
        SqlRunner sql(QSqlDatabase::database(u("check")));
        QVERIFY(sql.exec(u("SELECT count(*) FROM 発行記録 WHERE 状態 = '発行' AND 原本 = 1")) && sql.query().next());
        QCOMPARE(sql.query().value(0).toInt(), numbers.size());
        QSqlDatabase::database(u("check")).close();
    }
    QSqlDatabase::removeDatabase(u("check"));

    // No server there: a message naming it, and nothing written on this computer.
    const QString mainPath = second.filePath(u("data/Ledrium.mdb"));
    QFile main(mainPath);
    QVERIFY(main.open(QIODevice::ReadOnly));
    const QByteArray before = main.readAll();
    main.close();
    server.stop();
    const Result unreachable = runProgram(second.path(), {u("--pdf"), second.filePath(u("none.pdf")), u("--paper"),
                                                          u("A4 x 4"), u("--blank"), u("4"), u("--server"), shared});
    QCOMPARE(unreachable.exitCode, 1);
    QVERIFY2(unreachable.err.contains(u("接続できません")), qPrintable(unreachable.err));
    QVERIFY(!QFileInfo::exists(second.filePath(u("none.pdf"))));
    QVERIFY(main.open(QIODevice::ReadOnly));
    QCOMPARE(main.readAll(), before);
}

// --pdf-per-member writes one file per member of the category into the folder and names them;
// it takes no blank forms.
void TestCommandLine::onePdfPerMember()
{
    QTemporaryDir program;
    installArranged(program);
    const QString folder = program.filePath(u("out"));
    QVERIFY(QDir().mkpath(folder));
    const Result refused = runProgram(program.path(), {u("--pdf-per-member"), folder, u("--paper"), u("A4 x 4"),
                                                       u("--blank"), u("3")});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains(u("--pdf-per-member には書き出すフォルダと --category を指定してください。")),
             qPrintable(refused.err));
    const Result done = runProgram(program.path(), {u("--pdf-per-member"), folder, u("--paper"), u("A4 x 4"),
                                                    u("--category"), u("正会員"), u("--date"), u("2026-12-10")});
    QCOMPARE(done.exitCode, 0);
    const QStringList names = {u("20261210_相川_一郎_No00041.pdf"), u("20261210_井上_花子_No00042.pdf"),
                               u("20261210_上田__三郎__No00043.pdf"),
                               u("20261210_江口_四郎_No00044.pdf"), u("20261210_小野_五郎_No00045.pdf")};
    QStringList lines = {u("00041 00045")};
    for (const QString& name : names)
        lines << QDir(folder).filePath(name);
    QCOMPARE(done.out.trimmed().split(QLatin1Char('\n')), lines);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), names.size());
    QVERIFY(pdfText(QDir(folder).filePath(names[1])).contains(u("井上 花子")));
}

// --mail-folder beside --pdf-per-member writes one .eml per member with an address, named like
// the PDF, and names the members without one; alone it is refused.
void TestCommandLine::mailFolderWritesAMessagePerAddress()
{
    QTemporaryDir program;
    {
        TestData data;
        arrange(u("西暦"));
        QList<CustomerRecord> rows = CustomerMasterTable::readCategory(u("正会員"));
        rows[0].メールアドレス = u("aikawa@example.jp");
        rows[2].メールアドレス = u("ueda@example.jp");
        QVERIFY(CustomerMasterTable::replaceCategory(u("正会員"), rows));
        QVERIFY(copyData(data.folder(), program.filePath(u("data"))));
    }
    QVERIFY(installProgram(program.path()));
    const QString folder = program.filePath(u("out"));
    const QString mail = QDir(folder).filePath(u("メール"));
    QVERIFY(QDir().mkpath(folder));
    const Result refused = runProgram(program.path(), {u("--pdf"), program.filePath(u("a.pdf")), u("--mail-folder"), mail,
                                                       u("--paper"), u("A4 x 4"), u("--category"), u("正会員")});
    QCOMPARE(refused.exitCode, 2);
    QVERIFY2(refused.err.contains(u("--mail-folder には書き出すフォルダと --pdf-per-member を指定してください。")),
             qPrintable(refused.err));
    const Result done = runProgram(program.path(), {u("--pdf-per-member"), folder, u("--mail-folder"), mail, u("--paper"),
                                                    u("A4 x 4"), u("--category"), u("正会員"), u("--date"), u("2026-12-10")});
    QVERIFY2(done.exitCode == 0, qPrintable(done.err));
    const QStringList messages = {u("20261210_相川_一郎_No00041.eml"), u("20261210_上田__三郎__No00043.eml")};
    QStringList found = QDir(mail).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    found.sort();
    QStringList expected = messages;
    expected.sort();
    QCOMPARE(found, expected);
    const QStringList lines = done.out.trimmed().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(6), (QStringList{QDir(mail).filePath(messages[0]), QDir(mail).filePath(messages[1])}));
    QVERIFY2(done.err.contains(u("メールアドレスのない会員（3 人）：井上 花子、江口 四郎、小野 五郎")), qPrintable(done.err));
}

// A seal stored with the settings prints from the command line too, once per file; --no-seal
// leaves it off and nothing else changes.
void TestCommandLine::sealAsInTheWindowUnlessLeftOff()
{
    QImage seal(180, 180, QImage::Format_ARGB32);
    seal.fill(QColor(200, 30, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    seal.save(&buffer, "PNG");
    QTemporaryDir program;
    {
        TestData data;
        arrange(u("西暦"));
        QVERIFY(WorkTableProtocol::registerSettings({u("みどり町内会"), u("東京都"), u("西暦"), 40},
                                                    SealRecord{u("png"), png, 200, true}));
        QVERIFY(copyData(data.folder(), program.filePath(u("data"))));
    }
    QVERIFY(installProgram(program.path()));
    const QStringList blank = {u("--paper"), u("A4 x 8"), u("--blank"), u("9"), u("--pdf")};
    const QString with = program.filePath(u("with.pdf"));
    const QString without = program.filePath(u("without.pdf"));
    QCOMPARE(runProgram(program.path(), blank + QStringList{with}).exitCode, 0);
    QCOMPARE(runProgram(program.path(), blank + QStringList{without, u("--no-seal")}).exitCode, 0);
    QCOMPARE(imageObjects(with, seal.size()), 1);
    QCOMPARE(imageObjects(without, seal.size()), 0);
    QCOMPARE(pdfText(without), pdfText(with));
}

void TestCommandLine::damageFoundAfterARunEndedWithoutClosing_data()
{
    QTest::addColumn<bool>("lockLeftBehind");
    QTest::newRow("closed as usual") << false;
    QTest::newRow("a run ended without closing") << true;
}

// A page of another category's members overwritten with zeros, where neither the header nor the
// schema shows it. Every page is read when the last run ended without closing (its lock left
// behind), as the window does, and the run refused before anything is written; after a run that
// closed, opening does not grow with the data.
void TestCommandLine::damageFoundAfterARunEndedWithoutClosing()
{
    QFETCH(bool, lockLeftBehind);
    QTemporaryDir program;
    {
        TestData data;
        arrange(u("西暦"));
        QVERIFY(TestData::execMain(u("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                                     "INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) SELECT i, '賛助 ' || i, '賛助会員' FROM n")));
        QVERIFY(copyData(data.folder(), program.filePath(u("data"))));
    }
    QVERIFY(installProgram(program.path()));
    const auto runOnce = [&](const QString& name) {
        return runProgram(program.path(), {u("--pdf"), program.filePath(name), u("--paper"), u("A4 x 4"), u("--category"),
                                           u("正会員")});
    };
    QCOMPARE(runOnce(u("first.pdf")).exitCode, 0); // the files are known in this place from now on
    if (lockLeftBehind) { // the window started on the data and killed
        QProcess window;
        window.setProcessEnvironment([] {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u("QT_QPA_PLATFORM"), u("offscreen"));
            return environment;
        }());
        window.start(program.filePath(u("ledrium")), {});
        QVERIFY(window.waitForStarted());
        QFileInfo lock(program.filePath(u("data/Ledrium.lock")));
        QTRY_VERIFY_WITH_TIMEOUT((lock.refresh(), lock.exists() && lock.size() > 0), 20000);
        window.kill();
        QVERIFY(window.waitForFinished());
    }
    {
        QFile file(program.filePath(u("data/Ledrium.mdb")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray header = file.read(100);
        const qint64 pageSize = qFromBigEndian<quint16>(header.constData() + 16);
        QVERIFY(file.seek(file.size() - pageSize));
        QVERIFY(file.write(QByteArray(pageSize, '\0')) == pageSize);
    }
    const Result second = runOnce(u("second.pdf"));
    QCOMPARE(second.exitCode != 0, lockLeftBehind);
    QCOMPARE(QFileInfo::exists(program.filePath(u("second.pdf"))), !lockLeftBehind);
    if (lockLeftBehind)
        QVERIFY2(second.err.contains(u("壊れています")), qPrintable(second.err));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
