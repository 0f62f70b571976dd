// The register of issued receipts: what output records, reissue, void, the window's filters
// and the CSV export, and the register beside the counter through data initialisation.
#include "PdfText.h"
#include "ScriptedMessagePresenter.h"
#include "WindowRuns.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "domain/Clock.h"
#include "preview/ReportPreview.h"
#include "receipt/PrintRunAssembly.h"
#include "receipt/ReceiptFormat.h"
#include "receipt/ReceiptRun.h"
#include "register/ArchiveFolderChoice.h"
#include "register/RegisterModel.h"
#include "register/RegisterWindow.h"
#include "receipt/ReissueMark.h"
#include "receipt/TaxMarks.h"
#include "report/CellPdfs.h"
#include "register/ReissueFormatter.h"
#include "register/ReissueRuns.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"
#include "settings/DataReset.h"
#include "settings/ReceiptCounter.h"
#include "store/ArchiveFolder.h"
#include "store/CompanyTable.h"
#include "store/CustomerWorkTable.h"
#include "store/Connections.h"
#include "store/DataInitialisation.h"
#include "store/IssuingProcess.h"
#include "store/PdfArchive.h"
#include "store/RegisterChanges.h"
#include "store/ReceiptNumbers.h"
#include "store/RegisterTable.h"
#include "store/SchemaInstaller.h"
#include "store/Transaction.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QJsonDocument>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

class TestRegister : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void renumberingNamesItsCause_data();
    void renumberingNamesItsCause();
    void outputRecordsTheReceiptsAsPrinted_data();
    void outputRecordsTheReceiptsAsPrinted();
    void nothingRecordedUnlessNumbersWentOut_data();
    void nothingRecordedUnlessNumbersWentOut();
    void reprintAddsReissueEntriesOnly();
    void pageRangesIssueOnlyTheirReceipts_data();
    void pageRangesIssueOnlyTheirReceipts();
    void outputFailingAfterRecordingIsPutRight_data();
    void outputFailingAfterRecordingIsPutRight();
    void printToFileCutShortIsPutRight();
    void everyFileOutputIsKept_data();
    void everyFileOutputIsKept();
    void printToFileNeverOpensADeviceOrAPipe_data();
    void printToFileNeverOpensADeviceOrAPipe();
    void voidNumberStaysAndIsNeverIssuedAgain_data();
    void voidNumberStaysAndIsNeverIssuedAgain();
    void reissuePrintsTheOriginalWithAMark();
    void reissueShowsTheOriginalsTaxAndStamp_data();
    void reissueShowsTheOriginalsTaxAndStamp();
    void reissueMarkCoversNoText_data();
    void reissueMarkCoversNoText();
    void dataInitialisationKeepsTheRegisterUnlessAsked_data();
    void dataInitialisationKeepsTheRegisterUnlessAsked();
    void windowFiltersSortsAndTotals_data();
    void windowFiltersSortsAndTotals();
    void sortingKeepsTheCountAndSum();
    void exportReadsBackElsewhere();
    void taxIsRecordedAndSummedPerRate();
    void membersOwnTaxClassOverridesTheRun_data();
    void membersOwnTaxClassOverridesTheRun();
    void windowReadsAsAUserExpects();
    void olderDatabaseGainsTheRegister();
    void perMemberRunWritesOneFilePerReceipt_data();
    void perMemberRunWritesOneFilePerReceipt();
    void perMemberRunFailingLeavesNoFile_data();
    void perMemberRunFailingLeavesNoFile();
    void perMemberRunFailingHalfwayTakesBackItsFiles_data();
    void perMemberRunFailingHalfwayTakesBackItsFiles();
    void voidAndReissueOnlyAddToTheRegister();
    void archiveFolderChosenOnceKeepsEveryFile_data();
    void archiveFolderChosenOnceKeepsEveryFile();
    void archiveCheckFindsWhatChanged_data();
    void archiveCheckFindsWhatChanged();
    void searchCombinesReceiptDateAmountAndName_data();
    void searchCombinesReceiptDateAmountAndName();
    void opensInOneStepFromTheReceiptTab_data();
    void opensInOneStepFromTheReceiptTab();
};

namespace {

enum class Output { Pdf, Printer };

PrintRequest request(const QString& paper = u("A4 x 4"))
{
    PrintRequest r;
    r.paper = ReceiptLayouts::paperOrDefault(paper);
    r.ReceiptTitle = u("領収証");
    r.CompanyName = u("ひまわり会");
    r.CompanyInfo = u("東京都千代田区1-1\n電話 03-0000-0000");
    r.ReceiptDate = u("2026年12月10日");
    r.PrintDateFlag = r.PrintAmountFlag = r.PrintNumberFlag = true;
    r.ReceiptNo = Access自社情報(u("領収証番号"), u("Get"), 0).toLongLong();
    return r;
}

QList<PrintRow> rows(const QStringList& names)
{
    QList<PrintRow> result;
    for (int i = 0; i < names.size(); ++i)
        result.append({names[i], qint64(1000 * (i + 1)), i == 1 ? QVariant(u("年会費として")) : QVariant()});
    return result;
}

// Sends a run out through its preview, as the user's 印刷 or PDF保存 does; `message` gets
// what the preview tells the user afterwards.
bool output(ReportRun& run, Output kind, const QString& path, QString* message = nullptr)
{
    auto* preview = new ReportPreview(std::shared_ptr<ReportRun>(&run, [](ReportRun*) {}));
    if (message)
        QObject::connect(preview, &ReportPreview::outputFinished, preview,
                         [message](bool, const QString& text) { *message = text; });
    bool done = false;
    if (kind == Output::Pdf) {
        done = preview->saveAsPdfTo(path);
    } else {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        done = preview->printOn(printer);
    }
    delete preview;
    return done;
}

QList<RegisterEntry> allEntries()
{
    // Oldest first.
    return RegisterTable::readAll({}, 0, Qt::AscendingOrder);
}

qint64 counter() { return CompanyTable::readFirst().value_or(CompanySettingsRecord{}).領収証番号.toLongLong(); }

// Register rows as a fixture, each {number, name, amount, issued, state}.
struct Fixture {
    qint64 number;
    const char* name;
    QVariant amount;
    const char* issued;
    const char* state;
};
void addEntries(const QList<Fixture>& fixtures)
{
    QList<RegisterEntry> entries;
    for (const Fixture& f : fixtures) {
        RegisterEntry e;
        e.領収証番号 = f.number;
        e.顧客名 = u(f.name);
        e.領収額 = f.amount;
        e.発行日時 = u(f.issued);
        e.状態 = u(f.state);
        e.用紙 = u("A4 x 4");
        e.種別 = RegisterTable::ListRun;
        entries.append(e);
    }
    Transaction transaction(Connections::mainDb());
    QVERIFY(RegisterTable::insertWithin(Connections::mainDb(), entries));
    QVERIFY(transaction.commit());
}

} // namespace

Q_DECLARE_METATYPE(Output)
Q_DECLARE_METATYPE(ConsumptionTax::TaxClass)
Q_DECLARE_METATYPE(ConsumptionTax::Rounding)
Q_DECLARE_METATYPE(IssuerKind)
Q_DECLARE_METATYPE(RegisterTable::Filter)

void TestRegister::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
}

void TestRegister::init()
{
    ScriptedMessagePresenter::install();
}

void TestRegister::renumberingNamesItsCause_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<QString>("notice");
    QTest::newRow("another output took the numbers")
        << u("output") << u("ほかの出力が先にこの番号を使ったため、領収証番号を 00003～00004 に振り直しました。");
    QTest::newRow("the counter was raised in the settings")
        << u("settings") << u("設定で領収証番号がこの番号より先に進められたため、領収証番号を 00011～00012 に振り直しました。");
}

// A previewed run whose numbers are gone by the time it goes out says why it was renumbered.
void TestRegister::renumberingNamesItsCause()
{
    QFETCH(QString, meanwhile);
    QFETCH(QString, notice);
    TestData data;
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上")}));
    if (meanwhile == u("output")) {
        const auto other = ReceiptRun::build(request(), rows({u("田中"), u("中村")}));
        QVERIFY(ReceiptRun::writePdf(*other, data.folder() + u("other.pdf")));
    } else {
        QVERIFY(CompanyTable::writeFirst({u("会"), {}, u("西暦"), 10}));
    }
    QString told;
    QVERIFY(output(*run, Output::Pdf, data.folder() + u("run.pdf"), &told));
    QCOMPARE(told, notice);
}

void TestRegister::outputRecordsTheReceiptsAsPrinted_data()
{
    QTest::addColumn<Output>("kind");
    QTest::addColumn<QString>("paper");
    QTest::addColumn<bool>("amounts");
    QTest::newRow("PDF, four to a sheet") << Output::Pdf << u("A4 x 4") << true;
    QTest::newRow("printer, eight to a sheet") << Output::Printer << u("A4 x 8 T3") << true;
    QTest::newRow("PDF without amounts") << Output::Pdf << u("A4 x 4 控付") << false;
}

// Each receipt that went out is one 発行 entry with the texts it carries, under the output's name.
void TestRegister::outputRecordsTheReceiptsAsPrinted()
{
    QFETCH(Output, kind);
    QFETCH(QString, paper);
    QFETCH(bool, amounts);
    TestData data;
    QVERIFY(CompanyTable::raiseReceiptNumber(40));
    PrintRequest r = request(paper);
    r.PrintAmountFlag = amounts;
    r.ReceiptProviso = u("会費として");
    const auto run = ReceiptRun::build(r, rows({u("相川, 一郎"), u("井上 \"イノ\""), u("上田\n二行目")}));
    QTemporaryDir dir;
    const QString path = dir.filePath(u("会員分.pdf"));
    QVERIFY(allEntries().isEmpty()); // a preview records nothing
    QVERIFY(output(*run, kind, path));

    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 3);
    QStringList numbers;
    for (int cell = 0; cell < entries.size(); ++cell) {
        const RegisterEntry& e = entries[cell];
        numbers << ReceiptFormat::number(e.領収証番号);
        QCOMPARE(ReceiptFormat::number(e.領収証番号), run->text(cell, u("txtNo")));
        QCOMPARE(e.顧客名, run->text(cell, u("txt氏名")));
        QCOMPARE(e.但書, run->text(cell, u("txt但書")));
        QCOMPARE(e.領収日付, run->text(cell, u("txt日付")));
        QCOMPARE(e.領収額, amounts ? QVariant(qint64(1000 * (cell + 1))) : QVariant());
        QCOMPARE(e.表題, u("領収証"));
        QCOMPARE(e.自社名, u("ひまわり会"));
        QCOMPARE(e.自社情報, r.CompanyInfo);
        QCOMPARE(e.用紙, paper);
        QCOMPARE(e.出力先, u("会員分.pdf"));
        QCOMPARE(e.種別, u("一覧"));
        QCOMPARE(e.状態, u("発行"));
        QVERIFY(e.発行日時.startsWith(u("2026-12-10T")));
    }
    QCOMPARE(entries[1].但書, u("年会費として"));
    QCOMPARE(entries[0].但書, u("会費として"));
    QCOMPARE(numbers, (QStringList{u("00041"), u("00042"), u("00043")}));
    QCOMPARE(numbersIn(path), numbers);
    QCOMPARE(counter(), 43);
}

void TestRegister::nothingRecordedUnlessNumbersWentOut_data()
{
    QTest::addColumn<Output>("kind");
    QTest::addColumn<QString>("failure");
    QTest::newRow("PDF into a folder") << Output::Pdf << u("folder");
    QTest::newRow("register refuses the rows") << Output::Pdf << u("register");
    QTest::newRow("printer, register refuses") << Output::Printer << u("register");
    QTest::newRow("blank forms") << Output::Pdf << u("blank");
}

// Nothing that did not go out with a number is recorded, and the counter stays where it was.
void TestRegister::nothingRecordedUnlessNumbersWentOut()
{
    QFETCH(Output, kind);
    QFETCH(QString, failure);
    TestData data;
    QVERIFY(CompanyTable::raiseReceiptNumber(7));
    QTemporaryDir dir;
    QString path = dir.filePath(u("a.pdf"));
    PrintRequest r = request();
    if (failure == u("folder"))
        QVERIFY(QDir().mkpath(path));
    if (failure == u("register")) // the rows cannot be written: the counter must not move alone
        QVERIFY(TestData::execMain(u("CREATE TRIGGER refuse BEFORE INSERT ON 発行記録 BEGIN SELECT RAISE(ABORT, 'full'); END")));
    if (failure == u("blank"))
        r.PrintNumberFlag = false;
    const auto run = ReceiptRun::build(r, rows({u("相川"), u("井上")}));
    QCOMPARE(output(*run, kind, path), failure == u("blank"));
    QVERIFY(TestData::columnMain(u("SELECT count(*) FROM 発行記録")).value(0).toInt() == 0);
    QCOMPARE(counter(), 7);
}

// Output again from the same preview: the same numbers as 再発行 entries; the first entries and
// the counter stay as they were.
// The same preview output twice: the second output's receipts carry the 【再発行】 mark that
// the register records for them, and the first output's do not.
void TestRegister::reprintAddsReissueEntriesOnly()
{
    TestData data;
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上")}));
    QTemporaryDir dir;
    QVERIFY(output(*run, Output::Pdf, dir.filePath(u("first.pdf"))));
    QCOMPARE(pdfText(dir.filePath(u("first.pdf"))).count(ReissueMark::text()), 0);
    const QList<RegisterEntry> first = allEntries();
    QVERIFY(output(*run, Output::Printer, dir.filePath(u("again.pdf"))));
    QCOMPARE(pdfText(dir.filePath(u("again.pdf"))).count(ReissueMark::text()), 2);
    const QList<RegisterEntry> after = allEntries();
    QCOMPARE(after.size(), 4);
    QCOMPARE(counter(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(after[i].状態, u("発行"));
        QCOMPARE(after[i].出力先, u("first.pdf"));
        QCOMPARE(after[i].領収証番号, first[i].領収証番号);
        QCOMPARE(after[i + 2].状態, u("再発行"));
        QCOMPARE(after[i + 2].出力先, u("again.pdf"));
        QCOMPARE(after[i + 2].領収証番号, first[i].領収証番号);
        QCOMPARE(after[i + 2].顧客名, first[i].顧客名);
        QCOMPARE(after[i + 2].領収額, first[i].領収額);
    }
}

void TestRegister::pageRangesIssueOnlyTheirReceipts_data()
{
    QTest::addColumn<QList<int>>("pages"); // each output's first and last page, in turn
    QTest::addColumn<QStringList>("recordedAs");
    QTest::addColumn<QString>("notice"); // of the last output
    // Six receipts on two pages: 00001-00004, 00005-00006.
    QTest::newRow("page 1, then page 2") << QList<int>{1, 1, 2, 2}
                                         << QStringList{u("1 発行"), u("2 発行"), u("3 発行"), u("4 発行"),
                                                        u("5 発行"), u("6 発行")}
                                         << QString();
    QTest::newRow("page 1, then both") << QList<int>{1, 1, 1, 2}
                                       << QStringList{u("1 発行"), u("2 発行"), u("3 発行"), u("4 発行"),
                                                      u("5 発行"), u("6 発行"), u("1 再発行"), u("2 再発行"),
                                                      u("3 再発行"), u("4 再発行")}
                                       << QString();
    QTest::newRow("page 2 first") << QList<int>{2, 2, 1, 1}
                                  << QStringList{u("5 発行"), u("6 発行"), u("7 発行"), u("8 発行"), u("9 発行"),
                                                 u("10 発行")}
                                  << u("この一覧のほかのページが先に出力されてこの番号を使ったため、領収証番号を "
                                       "00007～00010 に振り直しました。");
}

// A page range records only the receipts on its pages; the others stay unissued in the preview
// until their own output, and no receipt is recorded as issued twice.
void TestRegister::pageRangesIssueOnlyTheirReceipts()
{
    QFETCH(QList<int>, pages);
    QFETCH(QStringList, recordedAs);
    QFETCH(QString, notice);
    TestData data;
    QTemporaryDir dir;
    const auto run = ReceiptRun::build(request(), rows({u("一"), u("二"), u("三"), u("四"), u("五"), u("六")}));
    QString message;
    for (qsizetype i = 0; i + 1 < pages.size(); i += 2) {
        const QString path = dir.filePath(u("out%1.pdf").arg(i));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(pages.at(i), pages.at(i + 1));
        QVERIFY(ReportOutput::print(*run, printer, nullptr, &message));
        if (i == 0)
            QCOMPARE(counter(), pages.at(0) == 1 ? 4 : 6);
    }
    QStringList recorded;
    for (const RegisterEntry& e : allEntries())
        recorded << QString::number(e.領収証番号) + u(" ") + e.状態;
    QCOMPARE(recorded, recordedAs);
    QCOMPARE(message, notice);
}

void TestRegister::outputFailingAfterRecordingIsPutRight_data()
{
    QTest::addColumn<bool>("reprint");
    QTest::newRow("first output") << false;
    QTest::newRow("reprint") << true;
}

// A printer that cannot start once the numbers were recorded: issued numbers become void (never
// used again) and the next output takes fresh ones; a failed reprint leaves no entry.
void TestRegister::outputFailingAfterRecordingIsPutRight()
{
    QFETCH(bool, reprint);
    TestData data;
    QTemporaryDir dir;
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上")}));
    if (reprint)
        QVERIFY(output(*run, Output::Pdf, dir.filePath(u("a.pdf"))));
    QVERIFY(!output(*run, Output::Printer, dir.filePath(u("missing/b.pdf"))));
    QList<RegisterEntry> entries = allEntries();
    if (reprint) {
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].状態 + entries[1].状態, u("発行発行"));
        return;
    }
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].状態 + entries[1].状態, u("無効無効"));
    QVERIFY(entries[0].無効理由.contains(u("プリンタを開始できません")));
    QVERIFY2(entries[0].無効理由.contains(u("保存先のフォルダがありません")), qPrintable(entries[0].無効理由));
    QString notice;
    QVERIFY(output(*run, Output::Pdf, dir.filePath(u("c.pdf")), &notice));
    QCOMPARE(notice, u("前回の出力ができなかった番号は無効として発行記録に残したため、領収証番号を 00003～00004 に振り直しました。"));
    entries = allEntries();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[2].領収証番号, 3);
    QCOMPARE(entries[2].状態, u("発行"));
    QCOMPARE(numbersIn(dir.filePath(u("c.pdf"))), (QStringList{u("00003"), u("00004")}));
}

// Printing to a file the disk cannot hold whole is no success, though Qt's PDF engine says it
// is: the numbers become void with the reason, and no cut-off file is left as the receipts.
void TestRegister::printToFileCutShortIsPutRight()
{
    TestData data;
    QTemporaryDir dir;
    const QString path = dir.filePath(u("r.pdf"));
    // The layout with the largest artwork: its PDF is well above the size of the databases.
    const auto run = ReceiptRun::build(request(u("A4 x 4 T3")), rows({u("相川"), u("井上")}));
    QString message;
    bool printed = true;
    {
        // No file may grow past the databases' size and a little: a PDF with its font and art does not fit.
        qint64 largest = 0;
        for (const QString& name : QDir(data.folder()).entryList(QDir::Files))
            largest = std::max(largest, QFileInfo(data.folder() + name).size());
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        rlimit small = limit;
        small.rlim_cur = rlim_t(largest + 4 * 1024);
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        printed = output(*run, Output::Printer, path, &message);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
    }
    QVERIFY(!printed);
    QVERIFY2(message.contains(u("書き込みが途中で止まりました")), qPrintable(message));
    QVERIFY(!QFileInfo::exists(path));
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].状態 + entries[1].状態, u("無効無効"));
    QVERIFY2(entries[0].無効理由.contains(u("書き込みが途中で止まりました")), qPrintable(entries[0].無効理由));
}

void TestRegister::reissueShowsTheOriginalsTaxAndStamp_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<IssuerKind>("issuer");
    QTest::addColumn<ConsumptionTax::Rounding>("rounding");
    QTest::newRow("qualified, 4 to a sheet, rounded up") << u("A4 x 4") << IssuerKind::Qualified << ConsumptionTax::Rounding::Up;
    QTest::newRow("qualified, 8 to a sheet") << u("A4 x 8 T3") << IssuerKind::Qualified << ConsumptionTax::Rounding::HalfUp;
    QTest::newRow("unregistered, counterfoil") << u("A4 x 4 控付") << IssuerKind::Unregistered << ConsumptionTax::Rounding::Down;
}

// A copy printed from the register shows the tax line, registration number and stamp box of the
// original, whatever the settings say now.
void TestRegister::reissueShowsTheOriginalsTaxAndStamp()
{
    QFETCH(QString, paper);
    QFETCH(IssuerKind, issuer);
    QFETCH(ConsumptionTax::Rounding, rounding);
    TestData data;
    QTemporaryDir dir;
    PrintRequest r = request(paper);
    r.Issuer = issuer;
    r.RegistrationNumber = issuer == IssuerKind::Qualified ? u("T7000012050002") : QString();
    r.TaxClass = ConsumptionTax::TaxClass::Standard;
    r.TaxRounding = rounding;
    QList<PrintRow> rows{{u("相川"), qint64(11'995), {}}, {u("井上"), qint64(55'005), {}}, {u("上田"), qint64(3'333), {}}};
    rows[2].税区分 = u("8");
    const auto original = ReceiptRun::build(r, rows);
    QVERIFY(output(*original, Output::Pdf, dir.filePath(u("a.pdf"))));
    RegisterWindow window;
    window.model().sort(0, Qt::AscendingOrder);
    window.view().selectAll();
    const QList<ReportPreview*> previews = window.reissueSelected();
    QCOMPARE(previews.size(), 1);
    ReportRun& copy = previews.first()->run();
    QCOMPARE(copy.cellCount(), 3);
    for (int cell = 0; cell < 3; ++cell)
        for (const QString& control : {TaxMarks::taxLineControl(), TaxMarks::registrationControl(), TaxMarks::stampControl()})
            QCOMPARE(copy.text(cell, control), original->text(cell, control));
    QVERIFY(!copy.text(0, TaxMarks::taxLineControl()).isEmpty());
    QCOMPARE(copy.text(1, TaxMarks::stampControl()).isEmpty(), !paper.endsWith(u("控付")) && paper.contains(u("8")));
    for (const QString& control : {TaxMarks::taxLineControl(), TaxMarks::registrationControl(), TaxMarks::stampControl()}) {
        const auto has = [&control](const ReportRun& run) {
            return std::any_of(run.layout().controls.cbegin(), run.layout().controls.cend(),
                               [&control](const ReportControl& c) { return c.name == control; });
        };
        QCOMPARE(has(copy), has(*original));
    }
    qDeleteAll(previews);
}

void TestRegister::everyFileOutputIsKept_data()
{
    QTest::addColumn<Output>("kind");
    QTest::newRow("PDF保存") << Output::Pdf;
    QTest::newRow("printed to a file") << Output::Printer;
}

// A PDF saved, or printed to a file from the print dialog, is kept in the archive and its
// entries hold the file's name and hash.
void TestRegister::everyFileOutputIsKept()
{
    QFETCH(Output, kind);
    TestData data;
    QTemporaryDir dir;
    const QString path = dir.filePath(u("r.pdf"));
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("相川"), u("井上")})), kind, path));
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 2);
    for (const RegisterEntry& e : entries) {
        QCOMPARE(e.状態 + e.出力先, u("発行r.pdf"));
        QCOMPARE(e.SHA256, PdfArchive::sha256Of(path));
        QCOMPARE(PdfArchive::sha256Of(data.folder() + PdfArchive::folderName() + u("/") + e.保存ファイル), e.SHA256);
    }
}

void TestRegister::printToFileNeverOpensADeviceOrAPipe_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << u("fifo");
    QTest::newRow("a folder") << u("folder");
}

// Printing to a file that is no plain file (a pipe would take the pages and block, a device
// would get them) is refused before any number is issued.
void TestRegister::printToFileNeverOpensADeviceOrAPipe()
{
    QFETCH(QString, kind);
    TestData data;
    QTemporaryDir dir;
    const QString path = dir.filePath(u("target"));
    if (kind == u("fifo"))
        QCOMPARE(QProcess::execute(u("mkfifo"), {path}), 0);
    else
        QVERIFY(QDir(dir.path()).mkdir(u("target")));
    const auto run = ReceiptRun::build(request(), rows({u("相川")}));
    QString message;
    QVERIFY(!output(*run, Output::Printer, path, &message));
    QVERIFY2(message.contains(u("通常のファイルではない")), qPrintable(message));
    QCOMPARE(allEntries().size(), 0);
    QCOMPARE(counter(), 0);
}

void TestRegister::voidNumberStaysAndIsNeverIssuedAgain_data()
{
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("counter lowered in the settings") << u("lowered");
    QTest::newRow("data initialised, register kept") << u("initialised");
}

// A void entry keeps everything but its state and reason, and its number never goes out again,
// even when the counter was lowered or wiped since.
void TestRegister::voidNumberStaysAndIsNeverIssuedAgain()
{
    QFETCH(QString, meanwhile);
    TestData data;
    QTemporaryDir dir;
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("相川"), u("井上")})), Output::Pdf, dir.filePath(u("a.pdf"))));
    RegisterWindow window;
    window.model().sort(0, Qt::AscendingOrder);
    window.view().selectRow(1);
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    messages.answers = {true};
    QVERIFY(window.voidSelected(u("書き損じ")));
    QCOMPARE(messages.shown.value(0).style, MessageStyle::AskNo);
    QVERIFY(messages.shown.value(0).prompt.contains(u("00002")));

    if (meanwhile == u("lowered"))
        QVERIFY(CompanyTable::writeFirst({u("会"), {}, u("西暦"), 1}));
    if (meanwhile == u("initialised"))
        QVERIFY(DataInitialisation::wipeMainData(DataInitialisation::Register::Keep));
    const auto next = ReceiptRun::build(request(), rows({u("上田")}));
    QVERIFY(output(*next, Output::Pdf, dir.filePath(u("b.pdf"))));
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 3);
    QCOMPARE(entries[1].領収証番号, 2);
    QCOMPARE(entries[1].状態, u("無効"));
    QCOMPARE(entries[1].無効理由, u("書き損じ"));
    QCOMPARE(entries[1].顧客名, u("井上"));
    QCOMPARE(entries[2].領収証番号, 3);
    QCOMPARE(next->text(0, u("txtNo")), u("00003"));
}

// Reissue prints the selected entries with their own texts and numbers and a 「再発行」 mark,
// records 再発行 entries and leaves the counter; a void entry is refused.
void TestRegister::reissuePrintsTheOriginalWithAMark()
{
    TestData data;
    QTemporaryDir dir;
    PrintRequest r = request(u("A4 x 8 T3"));
    r.PrintAmountFlag = false;
    const auto original = ReceiptRun::build(r, rows({u("相川"), u("井上")}));
    QVERIFY(output(*original, Output::Pdf, dir.filePath(u("a.pdf"))));
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("上田"), u("江藤"), u("小野")})), Output::Pdf,
                   dir.filePath(u("b.pdf"))));
    RegisterWindow window;
    window.model().sort(0, Qt::AscendingOrder);
    window.view().selectRow(4);
    ScriptedMessagePresenter::install().answers = {true};
    QVERIFY(window.voidSelected(u("紛失")));

    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    window.view().clearSelection();
    for (int row : {1, 3, 4}) // 井上 (8 to a sheet, no amount), 江藤 and the void 小野
        window.view().selectionModel()->select(window.model().index(row, 1),
                                               QItemSelectionModel::Select | QItemSelectionModel::Rows);
    const QList<ReportPreview*> previews = window.reissueSelected();
    QCOMPARE(messages.shown.size(), 1); // the void one is refused
    QVERIFY(messages.shown[0].prompt.contains(u("無効")));
    QCOMPARE(previews.size(), 2); // one per paper type
    for (ReportPreview* preview : previews) {
        ReportRun& run = preview->run();
        QCOMPARE(run.cellCount(), 1);
        const bool eight = run.layout().name == u("Rpt領収証A48D");
        const auto source = eight ? original : ReceiptRun::build(request(), rows({u("上田"), u("江藤")}));
        const int cell = 1; // 井上 of the first run, 江藤 of the second
        for (const char* control : {"txtNo", "txt氏名", "txt領収額", "txt但書", "txt日付", "txt会名称", "txt会情報",
                                    "Lbl領収証タイトル"}) {
            QString expected = source->text(cell, u(control));
            if (!eight && u(control) == u("txtNo"))
                expected = u("00004");
            QCOMPARE(run.text(0, u(control)), expected);
        }
        QCOMPARE(run.text(0, ReissueMark::control()), u("【再発行】"));
        QVERIFY2(preview->windowTitle().contains(u("再発行")), qPrintable(preview->windowTitle()));
    }
    const qint64 before = counter();
    QVERIFY(previews[0]->saveAsPdfTo(dir.filePath(u("re.pdf"))));
    const auto* notice = previews[0]->findChild<QLabel*>(u("lbl出力結果"));
    QVERIFY(notice && notice->toolTip().contains(dir.filePath(u("re.pdf"))));
    QCOMPARE(counter(), before);
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 6);
    QCOMPARE(entries.last().状態, u("再発行"));
    QCOMPARE(entries.last().出力先, u("re.pdf"));
    QCOMPARE(numbersIn(dir.filePath(u("re.pdf"))), QStringList{ReceiptFormat::number(entries.last().領収証番号)});
}

void TestRegister::reissueMarkCoversNoText_data()
{
    QTest::addColumn<QString>("paper");
    for (const ReceiptPaper& paper : ReceiptLayouts::papers())
        QTest::newRow(qPrintable(paper.layoutName)) << paper.name;
}

// The mark sits inside the cell and on no text of the layout (a date that runs on reaches the
// cell's right edge).
void TestRegister::reissueMarkCoversNoText()
{
    QFETCH(QString, paper);
    RegisterEntry entry;
    entry.領収証番号 = 123;
    entry.用紙 = paper;
    const auto runs = ReissueRuns::build({entry});
    QCOMPARE(runs.size(), 1);
    const ReportLayout& layout = runs[0]->layout();
    const ReportControl* mark = layout.control(ReissueMark::control());
    QVERIFY(mark);
    const int cellWidth = layout.cellWidth > 0 ? layout.cellWidth : layout.paper.width() - layout.margins.left() -
                                                                         layout.margins.right();
    QVERIFY(mark->box.left() >= 0 && mark->box.right() < cellWidth && mark->box.top() >= 0 &&
            mark->box.bottom() < layout.cellHeight);
    for (const ReportControl& c : layout.controls) {
        if (!c.isText() || &c == mark)
            continue;
        const QRect taken = c.runsOn ? QRect(c.box.topLeft(), QPoint(cellWidth, c.box.bottom())) : c.box;
        QVERIFY2(!taken.intersects(mark->box), qPrintable(c.name));
    }
}

void TestRegister::dataInitialisationKeepsTheRegisterUnlessAsked_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<int>("entriesLeft");
    QTest::addColumn<qint64>("nextNumber");
    QTest::newRow("register kept") << QList<bool>{true, false} << 2 << qint64(3);
    QTest::newRow("register wiped too, asked twice") << QList<bool>{true, true, true} << 0 << qint64(1);
    QTest::newRow("register kept at the second question") << QList<bool>{true, true, false} << 2 << qint64(3);
    QTest::newRow("nothing wiped") << QList<bool>{false} << 2 << qint64(3);
}

void TestRegister::dataInitialisationKeepsTheRegisterUnlessAsked()
{
    QFETCH(QList<bool>, answers);
    QFETCH(int, entriesLeft);
    QFETCH(qint64, nextNumber);
    TestData data;
    QTemporaryDir dir;
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("相川"), u("井上")})), Output::Pdf, dir.filePath(u("a.pdf"))));
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    messages.answers = answers;
    DataReset::run();
    if (answers.size() >= 2) {
        QCOMPARE(messages.shown.value(1).style, MessageStyle::AskNo); // keeping it is the default
        QVERIFY(messages.shown.value(1).prompt.contains(u("発行記録")));
    }
    if (answers.size() == 3) {
        QCOMPARE(messages.shown.value(2).style, MessageStyle::AskNo);
        QVERIFY(messages.shown.value(2).prompt.contains(u("電子帳簿保存法")));
    }
    QCOMPARE(allEntries().size(), entriesLeft);
    // The kept file stays whatever the answers.
    QCOMPARE(QDir(data.folder() + u("保存PDF/2026-12")).entryList(QDir::Files), QStringList{u("a.pdf")});
    QCOMPARE(Access自社情報(u("領収証番号"), u("Get"), 0).toLongLong(), nextNumber);
}

void TestRegister::windowFiltersSortsAndTotals_data()
{
    QTest::addColumn<RegisterTable::Filter>("filter");
    QTest::addColumn<int>("sortColumn");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<qint64>>("numbers");
    QTest::addColumn<qint64>("sum");
    const int amount = RegisterTable::columnOf(u("領収額"));
    const int name = RegisterTable::columnOf(u("顧客名"));
    RegisterTable::Filter none;
    QTest::newRow("newest first") << none << -1 << 0 << QList<qint64>{6, 5, 4, 3, 2, 1} << qint64(8000);
    RegisterTable::Filter range;
    range.numberFrom = 2;
    range.numberTo = 4;
    QTest::newRow("number range") << range << -1 << 0 << QList<qint64>{4, 3, 2} << qint64(7000);
    RegisterTable::Filter percent;
    percent.namePart = u("%");
    QTest::newRow("a percent sign is text") << percent << -1 << 0 << QList<qint64>{3} << qint64(3000);
    RegisterTable::Filter part;
    part.namePart = u("山田");
    QTest::newRow("part of the name") << part << -1 << 0 << QList<qint64>{2, 1} << qint64(1000);
    RegisterTable::Filter dates;
    dates.issuedFrom = QDate(2026, 4, 1);
    dates.issuedTo = QDate(2026, 4, 30);
    QTest::newRow("dates of issue, both ends") << dates << -1 << 0 << QList<qint64>{4, 3, 2} << qint64(7000);
    RegisterTable::Filter state;
    state.state = u("無効");
    QTest::newRow("state") << state << -1 << 0 << QList<qint64>{5} << qint64(0);
    QTest::newRow("by amount, largest first") << none << amount << int(Qt::DescendingOrder)
                                              << QList<qint64>{5, 4, 3, 2, 1, 6} << qint64(8000);
    QTest::newRow("by name") << none << name << int(Qt::AscendingOrder) << QList<qint64>{3, 6, 1, 2, 4, 5}
                             << qint64(8000);
}

void TestRegister::windowFiltersSortsAndTotals()
{
    QFETCH(RegisterTable::Filter, filter);
    QFETCH(int, sortColumn);
    QFETCH(int, order);
    QFETCH(QList<qint64>, numbers);
    QFETCH(qint64, sum);
    TestData data;
    addEntries({{1, "山田太郎", 1000, "2026-03-31T23:59:59", "発行"},
                {2, "山田花子", 2000, "2026-04-01T00:00:00", "再発行"},
                {3, "50%会員", 3000, "2026-04-15T10:00:00", "発行"},
                {4, "田_中", 4000, "2026-04-30T23:59:59", "発行"},
                {5, "田中", 5000, "2026-05-01T00:00:00", "無効"},
                {6, "ab", QVariant(), "2026-05-02T00:00:00", "発行"}});
    RegisterModel model;
    model.setFilter(filter);
    if (sortColumn >= 0)
        model.sort(sortColumn, Qt::SortOrder(order));
    while (model.canFetchMore())
        model.fetchMore();
    QList<qint64> shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.data(model.index(row, 1)).toLongLong();
    QCOMPARE(shown, numbers);
    QCOMPARE(model.totals()->count, numbers.size());
    QCOMPARE(model.totals()->amount, sum);
}

// A sort shows the same entries in another order: the count and sum are not read again, which
// on a large register costs as much as the sort itself. An entry slipped in behind the window's
// back shows in the rows a sort reads, but in the totals only once the filter changes.
void TestRegister::sortingKeepsTheCountAndSum()
{
    TestData data;
    addEntries({{1, "山田太郎", 1000, "2026-03-31T23:59:59", "発行"}, {2, "田中", 2000, "2026-04-01T00:00:00", "発行"}});
    RegisterWindow window;
    auto* totals = window.findChild<QLabel*>(u("lbl件数"));
    const QString before = totals->text();
    QVERIFY2(before.startsWith(u("2 件")), qPrintable(before));
    addEntries({{3, "佐藤", 4000, "2026-04-02T00:00:00", "発行"}});
    window.findChild<QTableView*>(u("Grid発行記録"))
        ->horizontalHeader()
        ->setSortIndicator(RegisterTable::columnOf(u("領収額")), Qt::DescendingOrder);
    QCOMPARE(window.model().rowCount(), 3);
    QCOMPARE(window.model().data(window.model().index(0, 1)).toLongLong(), 3);
    QCOMPARE(totals->text(), before);
    window.findChild<QLineEdit*>(u("txt氏名"))->setText(u("佐"));
    QVERIFY2(totals->text().startsWith(u("1 件　金額合計 ¥4,000")), qPrintable(totals->text()));
}

// The CSV file as another language's CSV reader sees it: the same rows, Japanese, commas,
// quotes and line breaks intact, in the window's column order.
void TestRegister::exportReadsBackElsewhere()
{
    TestData data;
    QTemporaryDir dir;
    PrintRequest r = request();
    r.CompanyInfo = u("本部, 2階\n\"会館\"");
    QVERIFY(output(*ReceiptRun::build(r, rows({u("相川, 一郎"), u("井上 \"イノ\""), u("上田\r\n二行目"), u("江藤")})),
                   Output::Pdf, dir.filePath(u("a.pdf"))));
    RegisterWindow window;
    RegisterTable::Filter filter;
    filter.numberTo = 3;
    window.model().setFilter(filter);
    const QString path = dir.filePath(u("発行記録.csv"));
    QVERIFY(window.exportTo(path));

    QProcess python;
    python.start(u("python3"), {u("-c"), u("import csv, json, sys\n"
                                            "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                                            "    print(json.dumps(list(csv.reader(f))))"),
                                path});
    QVERIFY(python.waitForFinished());
    QCOMPARE(python.exitCode(), 0);
    const QJsonArray read = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    QCOMPARE(read.size(), 4);
    QStringList header;
    for (const RegisterTable::Column& column : RegisterTable::columns().mid(1))
        header << column.header;
    QCOMPARE(read[0].toVariant().toStringList(), header);
    const QList<RegisterEntry> entries = RegisterTable::readAll(filter, -1, Qt::AscendingOrder);
    for (int i = 0; i < 3; ++i) {
        const QStringList row = read[i + 1].toVariant().toStringList();
        const RegisterEntry& e = entries[i];
        QCOMPARE(row, (QStringList{QString::number(e.領収証番号), u("発行"), e.領収日付, e.顧客名, e.領収額.toString(),
                                   e.但書, u("領収証"), u("ひまわり会"), r.CompanyInfo, u("A4 x 4"), u("a.pdf"), u("一覧"),
                                   e.発行日時, QString(), u("表示なし"), QString(), QString(), QString(), QString(),
                                   u("2026-12-10"), e.SHA256, e.保存ファイル}));
        QCOMPARE(e.SHA256.size(), 64);
    }
    QCOMPARE(read[1].toVariant().toStringList().value(3), u("上田\r\n二行目"));
}

// Each receipt's tax class, rate, tax, registration number and stamp duty go into the register
// as printed; the window sums amount and tax per rate over the issued receipts it shows.
void TestRegister::taxIsRecordedAndSummedPerRate()
{
    TestData data;
    QTemporaryDir dir;
    PrintRequest r = request();
    r.Issuer = IssuerKind::Qualified;
    r.RegistrationNumber = u("T7000012050002");
    r.TaxClass = ConsumptionTax::TaxClass::Standard;
    const QList<PrintRow> standard{{u("相川"), qint64(11'990), {}}, {u("井上"), qint64(55'000), {}}};
    QVERIFY(output(*ReceiptRun::build(r, standard), Output::Pdf, dir.filePath(u("a.pdf"))));
    r.TaxClass = ConsumptionTax::TaxClass::Reduced;
    r.ReceiptNo = 3;
    QVERIFY(output(*ReceiptRun::build(r, {{u("相川"), qint64(11'988), {}}}), Output::Pdf, dir.filePath(u("b.pdf"))));
    addEntries({{4, "相川", 99'000, "2026-12-10T20:01:33", "無効"}});
    QStringList recorded;
    for (const RegisterEntry& e : allEntries())
        recorded << QStringList{e.税区分, e.税率.toString(), e.消費税額.toString(), e.登録番号, e.印紙税額.toString()}.join(QLatin1Char('|'));
    QCOMPARE(recorded, (QStringList{u("10|10|1090|T7000012050002|0"), u("10|10|5000|T7000012050002|200"),
                                    u("8|8|888|T7000012050002|0"), u("||||")}));
    RegisterWindow window;
    auto* totals = window.findChild<QLabel*>(u("lbl件数"));
    QVERIFY2(totals->text().endsWith(u("　10%対象 ¥66,990（消費税等 ¥6,090）　8%対象 ¥11,988（消費税等 ¥888）")),
             qPrintable(totals->text()));
    window.findChild<QLineEdit*>(u("txt氏名"))->setText(u("相川"));
    QVERIFY2(totals->text().endsWith(u("　10%対象 ¥11,990（消費税等 ¥1,090）　8%対象 ¥11,988（消費税等 ¥888）")),
             qPrintable(totals->text()));
    window.findChild<QLineEdit*>(u("txt氏名"))->setText(u("井上"));
    QVERIFY2(totals->text().endsWith(u("金額合計 ¥55,000（再発行・無効を除く）　10%対象 ¥55,000（消費税等 ¥5,000）")),
             qPrintable(totals->text()));
}

void TestRegister::membersOwnTaxClassOverridesTheRun_data()
{
    QTest::addColumn<ConsumptionTax::TaxClass>("runClass");
    QTest::addColumn<QStringList>("lastReceipt"); // its tax line, then its entry
    QTest::newRow("run at 10%") << ConsumptionTax::TaxClass::Standard
                                << QStringList{u("（内消費税等10%¥4,909）"), u("10|10|4909|0")};
    QTest::newRow("run without tax") << ConsumptionTax::TaxClass::None << QStringList{QString(), u("none|||200")};
}

// Each member's own class gives its receipt's tax line, tax and stamp duty, and its register
// entry; a member without one takes the run's.
void TestRegister::membersOwnTaxClassOverridesTheRun()
{
    QFETCH(ConsumptionTax::TaxClass, runClass);
    QFETCH(QStringList, lastReceipt);
    TestData data;
    QTemporaryDir dir;
    QList<CustomerRecord> members;
    for (const auto& [name, taxClass] : {std::pair{"相川", "10"}, {"井上", "8"}, {"上田", "none"}, {"江藤", ""}})
        members.append({members.size() + 1, u(name), u("会員"), {}, qint64(54'000),
                        *taxClass ? QVariant(u(taxClass)) : QVariant()});
    QVERIFY(CustomerWorkTable::rebuild(members));
    QVERIFY(CustomerWorkTable::setChecks(true));
    PrintRequest r = request();
    r.Issuer = IssuerKind::Qualified;
    r.RegistrationNumber = u("T7000012050002");
    r.TaxClass = runClass;
    std::shared_ptr<ReportRun> run;
    QString stamps;
    QVERIFY(PrintRunAssembly::listRun(r, &run, &stamps));
    // ¥50,000 before tax at 8% bears the stamp, as do ¥54,000 without tax.
    QCOMPARE(stamps, lastReceipt.at(0).isEmpty() ? u("収入印紙が必要な領収証：3 枚（600 円）")
                                                 : u("収入印紙が必要な領収証：2 枚（400 円）"));
    const QString pdf = dir.filePath(u("会員.pdf"));
    QVERIFY(output(*run, Output::Pdf, pdf));

    QStringList lines;
    static const QRegularExpression taxLine(u("(※軽減税率対象)?（内消費税等[^）]*）"));
    for (const QRegularExpressionMatch& match : taxLine.globalMatch(pdfText(pdf, "-raw").remove(u' ')))
        lines << match.captured();
    QStringList expectedLines{u("（内消費税等10%¥4,909）"), u("※軽減税率対象（内消費税等8%¥4,000）")};
    if (!lastReceipt.at(0).isEmpty())
        expectedLines << lastReceipt.at(0);
    QCOMPARE(lines, expectedLines);
    QStringList recorded;
    for (const RegisterEntry& e : allEntries())
        recorded << QStringList{e.税区分, e.税率.toString(), e.消費税額.toString(), e.印紙税額.toString()}.join(u'|');
    QCOMPARE(recorded, (QStringList{u("10|10|4909|0"), u("8|8|4000|200"), u("none|||200"), lastReceipt.at(1)}));
}

// A void entry does not read as money received, times read to the minute, Esc closes, and an
// export says where it went without a box to click away.
void TestRegister::windowReadsAsAUserExpects()
{
    TestData data;
    addEntries({{1, "相川", 1000, "2026-12-10T20:01:33", "発行"}, {2, "井上", 2000, "2026-12-10T20:02:00", "無効"}});
    RegisterWindow window;
    window.open();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    RegisterModel& model = window.model();
    const int issuedAt = RegisterTable::columnOf(u("発行日時"));
    const int name = RegisterTable::columnOf(u("顧客名"));
    QCOMPARE(model.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        const bool isVoid = model.data(model.index(row, 0)).toLongLong() == 2;
        QCOMPARE(model.data(model.index(row, name), Qt::FontRole).value<QFont>().strikeOut(), isVoid);
        QCOMPARE(model.data(model.index(row, name), Qt::ForegroundRole).isValid(), isVoid);
        QCOMPARE(model.data(model.index(row, issuedAt)).toString(),
                 isVoid ? u("2026-12-10 20:02") : u("2026-12-10 20:01"));
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(u("発行記録.csv"));
    QVERIFY(window.exportTo(path));
    auto* notice = window.findChild<QLabel*>(u("lbl出力結果"));
    QVERIFY(notice && notice->isVisible());
    QVERIFY2(notice->toolTip().contains(path), qPrintable(notice->toolTip()));
    QCOMPARE(ScriptedMessagePresenter::install().shown.size(), 0);

    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

// A main database from before the register gets the table on open; the rest stays byte for byte.
void TestRegister::olderDatabaseGainsTheRegister()
{
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    const DataPaths paths = DataPaths::forFolder(dir.path());
    const auto sqlite = [&](const QString& sql) {
        QProcess p;
        p.start(u("sqlite3"), {paths.MainDbPath, sql});
        p.waitForFinished();
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    sqlite(u("DROP TABLE 発行記録; INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (1, '相川', '会員', NULL);"
             "INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('会', 12);"));
    QVERIFY(!sqlite(u(".tables")).contains(QRegularExpression(u("(^|\\s)発行記録(\\s|$)"))));
    const QString before = sqlite(u(".dump"));
    QVERIFY(Connections::open(paths).ok);
    QVERIFY(ReceiptNumbers(Connections::mainDb()).next().number.has_value());
    Connections::close();
    QString after = sqlite(u(".dump"));
    QVERIFY(after.contains(u("CREATE TABLE 発行記録")));
    // The register's tables and indexes aside (its table of changes was there before and stays).
    const QRegularExpression registerTables(u("CREATE TABLE 発行記録(変更)? \\([^;]*\\);\n|CREATE (UNIQUE )?INDEX 発行記録_[^;]*;\n"));
    after.remove(registerTables);
    QCOMPARE(after, QString(before).remove(registerTables));
}

void TestRegister::opensInOneStepFromTheReceiptTab_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("preview toolbar") << u("preview");
    QTest::newRow("Ctrl+R on the customer grid") << u("shortcut");
    QTest::newRow("receipt tab's context menu") << u("menu");
}

// From the receipt tab in one step; an open register shows what a preview then prints.
void TestRegister::opensInOneStepFromTheReceiptTab()
{
    QFETCH(QString, way);
    StartedWindow started;
    QVERIFY(started.show());
    loadCategory(started, {u("相川"), u("井上")});
    ReportPreview* preview = printThroughWindow(started, u("A4 x 4"));
    QVERIFY(preview);
    if (way == u("preview")) {
        click(preview, "cmd発行記録");
    } else if (way == u("shortcut")) {
        started.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(started.window.get()));
        auto* grid = started.get<QTableView>("Grid顧客");
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);
    } else {
        QWidget* page = started.get<QTabWidget>("SSTab1")->widget(0);
        QCOMPARE(page->contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(!page->actions().isEmpty());
        page->actions().first()->trigger();
    }
    auto* window = started.get<RegisterWindow>("Frm発行記録");
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->model().rowCount(), 0);
    QTemporaryDir dir;
    QVERIFY(preview->saveAsPdfTo(dir.filePath(u("a.pdf"))));
    QCOMPARE(window->model().rowCount(), 2);
    QVERIFY(window->findChild<QLabel*>(u("lbl件数"))->text().startsWith(u("2 件")));
}

void TestRegister::perMemberRunWritesOneFilePerReceipt_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("numbered");
    QTest::addColumn<QString>("alreadyThere");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("refused characters and blanks")
        << QStringList{u("山田/太郎"), u("a:b c\t全角　空白")} << true << QString()
        << QStringList{u("20261210_山田_太郎_1000_No00001.pdf"), u("20261210_a_b_c_全角_空白_2000_No00002.pdf")};
    QTest::newRow("the same name twice, without numbers")
        << QStringList{u("相川"), u("相川")} << false << QString()
        << QStringList{u("20261210_相川_1000.pdf"), u("20261210_相川_2000.pdf")};
    QTest::newRow("a name the folder already holds")
        << QStringList{u("相川")} << true << u("20261210_相川_1000_No00001.pdf")
        << QStringList{u("20261210_相川_1000_No00001_2.pdf")};
    // 240 bytes at most: 9 + 17 for date, amount and number leave 71 three-byte characters.
    QTest::newRow("a name of 200 characters is cut between characters")
        << QStringList{QString(200, QChar(u'あ'))} << true << QString()
        << QStringList{u("20261210_") + QString(71, QChar(u'あ')) + u("_1000_No00001.pdf")};
}

// One file per receipt, named after it, holding that receipt only; the register names the file
// and its SHA-256, and the archive keeps an identical copy.
void TestRegister::perMemberRunWritesOneFilePerReceipt()
{
    QFETCH(QStringList, names);
    QFETCH(bool, numbered);
    QFETCH(QString, alreadyThere);
    QFETCH(QStringList, files);
    TestData data;
    QTemporaryDir dir;
    if (!alreadyThere.isEmpty()) {
        QFile existing(dir.filePath(alreadyThere));
        QVERIFY(existing.open(QIODevice::WriteOnly) && existing.write("mine") == 4);
    }
    PrintRequest r = request();
    r.PrintNumberFlag = numbered;
    const auto run = ReceiptRun::build(r, rows(names));
    QStringList written;
    QString error;
    QVERIFY2(ReceiptRun::writePerMember(*run, dir.path(), &written, &error), qPrintable(error));
    QStringList found = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::AllDirs | QDir::NoDotAndDotDot);
    found.removeOne(alreadyThere);
    QStringList expected = files;
    expected.sort();
    QCOMPARE(found, expected);
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), numbered ? names.size() : 0);
    for (int cell = 0; cell < files.size(); ++cell) {
        QCOMPARE(written.value(cell), dir.filePath(files[cell]));
        const QString text = pdfText(written[cell]).simplified().remove(u' ');
        QVERIFY2(text.contains(QString::number(cell + 1) + u(",000")), qPrintable(text));
        QVERIFY2(text.contains(names[cell].left(20).simplified().remove(u' ')), qPrintable(text));
        for (int other = 0; other < names.size(); ++other)
            QCOMPARE(text.contains(QString::number(other + 1) + u(",000")), other == cell);
        if (!numbered)
            continue;
        QVERIFY(text.contains(ReceiptFormat::number(cell + 1)));
        const RegisterEntry& e = entries[cell];
        QCOMPARE(e.出力先, files[cell]);
        QCOMPARE(e.状態, u("発行"));
        QCOMPARE(e.領収日, u("2026-12-10"));
        QCOMPARE(e.SHA256, PdfArchive::sha256Of(written[cell]));
        QCOMPARE(PdfArchive::sha256Of(data.folder() + u("保存PDF/") + e.保存ファイル), e.SHA256);
    }
}

void TestRegister::perMemberRunFailingLeavesNoFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<bool>("issued");
    QTest::newRow("the folder is gone") << u("folder") << false;
    QTest::newRow("the archive cannot take the files") << u("archive") << true;
}

// A run that fails leaves no file of its own; numbers it issued become void.
void TestRegister::perMemberRunFailingLeavesNoFile()
{
    QFETCH(QString, failure);
    QFETCH(bool, issued);
    TestData data;
    QTemporaryDir dir;
    QString folder = dir.path();
    if (failure == u("folder")) {
        folder = dir.filePath(u("removed"));
    } else {
        QFile blocker(data.folder() + PdfArchive::folderName()); // a file where the folder would be
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上"), u("上田")}));
    QString error;
    QVERIFY(!ReceiptRun::writePerMember(*run, folder, nullptr, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), issued ? 3 : 0);
    for (const RegisterEntry& e : entries) {
        QCOMPARE(e.状態, u("無効"));
        QVERIFY2(e.無効理由.contains(u("保存用のフォルダ")), qPrintable(e.無効理由));
    }
}

void TestRegister::perMemberRunFailingHalfwayTakesBackItsFiles_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("the folder is removed after two files") << u("folder");
    QTest::newRow("a file takes the second name while the run writes") << u("taken");
}

// A failure after some files of a run were written (while drawing, or while moving them in)
// leaves none of them, nothing of another program's, and voids every number of the run.
void TestRegister::perMemberRunFailingHalfwayTakesBackItsFiles()
{
    QFETCH(QString, failure);
    TestData data;
    QTemporaryDir dir;
    const QString folder = dir.filePath(u("領収証"));
    QVERIFY(QDir().mkpath(folder));
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上"), u("上田"), u("江藤")}));
    const auto nameOf = [&](int cell) {
        if (cell == 2 && failure == u("folder"))
            QDir(folder).removeRecursively();
        if (cell == 3 && failure == u("taken")) {
            QFile other(QDir(folder).filePath(u("1.pdf")));
            if (other.open(QIODevice::WriteOnly))
                other.write("another program's");
        }
        return QString::number(cell) + u(".pdf");
    };
    QString error;
    QVERIFY(!CellPdfs::write(*run, folder, nameOf, nullptr, &error));
    QVERIFY(!error.isEmpty());
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(left, failure == u("taken") ? QStringList{u("1.pdf")} : QStringList());
    if (failure == u("folder")) // nor anything put back where the folder was
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    if (failure == u("taken")) {
        QFile other(QDir(folder).filePath(u("1.pdf")));
        QVERIFY(other.open(QIODevice::ReadOnly));
        QCOMPARE(other.readAll(), QByteArray("another program's"));
    }
    const QList<RegisterEntry> entries = allEntries();
    QCOMPARE(entries.size(), 4);
    for (const RegisterEntry& e : entries)
        QCOMPARE(e.状態, u("無効"));
}

void TestRegister::archiveFolderChosenOnceKeepsEveryFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("moved");
    QTest::newRow("a new folder") << u("共有/保存PDF") << true;
    QTest::newRow("another file under a kept name there") << u("clash") << false;
    QTest::newRow("inside the folder in use") << u("inside") << false;
}

// Choosing the archive folder copies what was kept so far, so the check still finds every file,
// and later files go there; a choice that cannot be carried out leaves everything as it was.
void TestRegister::archiveFolderChosenOnceKeepsEveryFile()
{
    QFETCH(QString, target);
    QFETCH(bool, moved);
    TestData data;
    QTemporaryDir dir;
    QVERIFY(ReceiptRun::writePerMember(*ReceiptRun::build(request(), rows({u("相川"), u("井上"), u("上田")})), dir.path()));
    const QString kept = data.folder() + u("保存PDF/");
    QString folder = dir.filePath(target);
    if (target == u("inside"))
        folder = kept + u("2026-12/新しい保存先");
    if (target == u("clash")) {
        QVERIFY(QDir().mkpath(folder + u("/2026-12")));
        QFile other(folder + u("/2026-12/20261210_井上_2000_No00002.pdf"));
        QVERIFY(other.open(QIODevice::WriteOnly) && other.write("another file") > 0);
    }
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    messages.answers = {true};
    const std::optional<QString> done = ArchiveFolderChoice::moveTo(folder);
    QCOMPARE(done.has_value(), moved);
    QCOMPARE(*ArchiveFolder::read(Connections::mainDb()), moved ? QDir::cleanPath(folder) : QString());
    if (target == u("clash")) // nothing of the attempt is left there
        QCOMPARE(QDir(folder + u("/2026-12")).entryList(QDir::Files), QStringList{u("20261210_井上_2000_No00002.pdf")});
    RegisterWindow window;
    QCOMPARE(window.checkArchive(), u("保存ファイル 3 件：そのまま 3 件、内容の変更 0 件、見つからない 0 件、名前の変更 0 件"));
    // The files kept before stay where they were; the next one goes to the folder in use.
    QCOMPARE(QDir(kept + u("2026-12")).entryList(QDir::Files).size(), 3);
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("江藤")})), Output::Pdf, dir.filePath(u("e.pdf"))));
    const RegisterEntry latest = allEntries().last();
    QVERIFY(QFileInfo((moved ? folder + u("/") : kept) + latest.保存ファイル).isFile());
}

void TestRegister::archiveCheckFindsWhatChanged_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("report");
    const QString kept = u("2026-12/20261210_井上_2000_No00002.pdf");
    QTest::newRow("all kept") << QString() << u("保存ファイル 3 件：そのまま 3 件、内容の変更 0 件、見つからない 0 件、名前の変更 0 件");
    QTest::newRow("changed") << u("change")
                             << u("保存ファイル 3 件：そのまま 2 件、内容の変更 1 件、見つからない 0 件、名前の変更 0 件\n"
                                  "内容が変わっています：") + kept;
    QTest::newRow("missing") << u("remove")
                             << u("保存ファイル 3 件：そのまま 2 件、内容の変更 0 件、見つからない 1 件、名前の変更 0 件\n"
                                  "見つかりません：") + kept;
    QTest::newRow("renamed") << u("rename")
                             << u("保存ファイル 3 件：そのまま 2 件、内容の変更 0 件、見つからない 0 件、名前の変更 1 件\n"
                                  "名前が変わっています：") + kept + u(" → 2026-12/別名.pdf");
}

// 保存ファイルの確認 compares each kept file with the SHA-256 the register holds for it.
void TestRegister::archiveCheckFindsWhatChanged()
{
    QFETCH(QString, fault);
    QFETCH(QString, report);
    TestData data;
    QTemporaryDir dir;
    const auto run = ReceiptRun::build(request(), rows({u("相川"), u("井上"), u("上田")}));
    QVERIFY(ReceiptRun::writePerMember(*run, dir.path()));
    const QString archived = data.folder() + u("保存PDF/2026-12/20261210_井上_2000_No00002.pdf");
    QVERIFY(QFileInfo::exists(archived));
    QFile file(archived);
    if (fault == u("change")) {
        QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(100) && file.write("x") == 1);
        file.close();
    } else if (fault == u("remove")) {
        QVERIFY(file.remove());
    } else if (fault == u("rename")) {
        QVERIFY(file.rename(data.folder() + u("保存PDF/2026-12/別名.pdf")));
    }
    RegisterWindow window;
    QCOMPARE(window.checkArchive(), report);
}

void TestRegister::searchCombinesReceiptDateAmountAndName_data()
{
    QTest::addColumn<RegisterTable::Filter>("filter");
    QTest::addColumn<QList<qint64>>("numbers");
    RegisterTable::Filter days;
    days.receiptFrom = QDate(2026, 4, 1);
    days.receiptTo = QDate(2026, 4, 30);
    QTest::newRow("receipt dates, both ends") << days << QList<qint64>{4, 3, 2};
    RegisterTable::Filter amounts;
    amounts.amountFrom = 2000;
    amounts.amountTo = 4000;
    QTest::newRow("amounts, both ends") << amounts << QList<qint64>{4, 3, 2};
    RegisterTable::Filter from;
    from.amountFrom = 4000;
    QTest::newRow("amounts from, none without an amount") << from << QList<qint64>{5, 4};
    RegisterTable::Filter combined = days;
    combined.amountFrom = 3000;
    combined.namePart = u("_");
    QTest::newRow("date, amount and name together") << combined << QList<qint64>{4};
    RegisterTable::Filter noDate;
    noDate.receiptTo = QDate(2030, 1, 1);
    QTest::newRow("a receipt printed without a date has none") << noDate << QList<qint64>{5, 4, 3, 2, 1};
}

// The register is searched by the receipt's date, its amount and the name, alone or combined.
void TestRegister::searchCombinesReceiptDateAmountAndName()
{
    QFETCH(RegisterTable::Filter, filter);
    QFETCH(QList<qint64>, numbers);
    TestData data;
    addEntries({{1, "山田太郎", 1000, "2026-12-01T00:00:00", "発行"},
                {2, "山田花子", 2000, "2026-12-01T00:00:00", "発行"},
                {3, "田中", 3000, "2026-12-01T00:00:00", "発行"},
                {4, "田_中", 4000, "2026-12-01T00:00:00", "発行"},
                {5, "上田", 5000, "2026-12-01T00:00:00", "発行"},
                {6, "ab", QVariant(), "2026-12-01T00:00:00", "発行"}});
    const QStringList days = {u("2026-03-31"), u("2026-04-01"), u("2026-04-15"), u("2026-04-30"), u("2026-05-01"), QString()};
    for (int i = 0; i < days.size(); ++i)
        QVERIFY(TestData::execMain(u("UPDATE 発行記録 SET 領収日 = ? WHERE 領収証番号 = ?"),
                                   {days[i].isEmpty() ? QVariant() : QVariant(days[i]), i + 1}));
    QList<qint64> found;
    for (const RegisterEntry& e : RegisterTable::readAll(filter, -1, Qt::AscendingOrder))
        found << e.領収証番号;
    QCOMPARE(found, numbers);
}

// Voiding and printing again add to the register and its record of changes (when, who, which
// computer, why); no earlier entry changes, except the voided one's state and reason.
void TestRegister::voidAndReissueOnlyAddToTheRegister()
{
    TestData data;
    QTemporaryDir dir;
    QVERIFY(output(*ReceiptRun::build(request(), rows({u("相川"), u("井上")})), Output::Pdf, dir.filePath(u("a.pdf"))));
    const QList<RegisterEntry> before = allEntries();
    const auto fields = [](const RegisterEntry& e) {
        return QStringList{QString::number(e.記録番号), QString::number(e.領収証番号), e.領収日付, e.顧客名,
                           e.領収額.toString(), e.但書, e.表題, e.自社名, e.自社情報, e.用紙, e.出力先, e.種別,
                           e.発行日時, e.領収日, e.SHA256, e.保存ファイル};
    };
    RegisterWindow window;
    window.model().refresh();
    window.view().selectRow(1); // newest first: 相川
    ScriptedMessagePresenter::install().answers = {true};
    QVERIFY(window.voidSelected(u("書き損じ")));
    const QList<ReportPreview*> previews = [&] {
        window.view().selectRow(0); // 井上
        return window.reissueSelected();
    }();
    QCOMPARE(previews.size(), 1);
    QVERIFY(previews.first()->saveAsPdfTo(dir.filePath(u("copy.pdf"))));
    const QList<RegisterEntry> after = allEntries();
    QCOMPARE(after.size(), 3);
    for (int i = 0; i < before.size(); ++i)
        QCOMPARE(fields(after[i]), fields(before[i]));
    QCOMPARE(after[0].状態 + after[1].状態 + after[2].状態, u("無効発行再発行"));
    QCOMPARE(after[2].領収証番号, before[1].領収証番号);
    QVERIFY(after[2].SHA256 != before[1].SHA256); // a copy goes out in a file of its own
    const auto changes = RegisterChanges::all(Connections::mainDb());
    QVERIFY(changes);
    QCOMPARE(changes->size(), 2);
    const RegisterChanges::Change& voiding = changes->at(0);
    QCOMPARE(voiding.記録番号, before[0].記録番号);
    QCOMPARE(voiding.操作 + voiding.変更前 + voiding.変更後 + voiding.理由, u("無効発行無効書き損じ"));
    QCOMPARE(changes->at(1).記録番号, after[2].記録番号);
    QCOMPARE(changes->at(1).操作, u("再発行"));
    for (const RegisterChanges::Change& c : *changes) {
        QVERIFY(c.変更日時.startsWith(u("2026-12-10T")));
        QVERIFY(!c.利用者.isEmpty());
        QCOMPARE(c.端末, IssuingProcess::current().host);
    }
    qDeleteAll(previews);
}

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
