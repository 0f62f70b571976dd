// Printing from the receipt tab end to end: the form, the options panel and the two runs.
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "PdfText.h"
#include "StartedWindow.h"
#include "WindowRuns.h"
#include "TypeText.h"
#include "app/ApplicationSetup.h"
#include "customers/CustomerList.h"
#include "domain/Clock.h"
#include "preview/ReportPreview.h"
#include "printing/PrintRuns.h"
#include "receipt/ReceiptFormat.h"
#include "receipt/ReceiptRun.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"
#include "store/CategoryTaxTable.h"
#include "store/CompanyTable.h"
#include "store/CustomerMasterTable.h"
#include "store/PrintRowTable.h"
#include "ui/DateBox.h"
#include "ui/NumberBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDoubleSpinBox>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QPrinter>
#include <QRegularExpression>
#include <QSqlTableModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

class TestPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void calibrationPerPrinter_data();
    void calibrationPerPrinter();
    void calibrationFromThePreview_data();
    void calibrationFromThePreview();
    void formResetShowsNextNumber();
    void unreadableCounterStopsOnlyNumberedRuns_data();
    void unreadableCounterStopsOnlyNumberedRuns();
    void typicalListRun_data();
    void typicalListRun();
    void nothingMarkedGivesAnEmptyPreview();
    void taxClassOfTheRun_data();
    void taxClassOfTheRun();
    void blankForms_data();
    void blankForms();
    void paperTypeChoosesLayout_data();
    void paperTypeChoosesLayout();
    void panelResetsAtEveryOpening();
    void companyTextsComeFromTheirTab();
    void formProvisoStandsInForAMissingOne();
    void receiptNumbersAreNeverReused();
    void interleavedPreviewsNeverShareNumbers_data();
    void interleavedPreviewsNeverShareNumbers();
};

namespace {

void click(StartedWindow& started, const char* name)
{
    QTest::mouseClick(started.get<QAbstractButton>(name), Qt::LeftButton);
}

void typeAmount(StartedWindow& started, int row, const QString& amount)
{
    CustomerList* list = started.window->customerList();
    auto* grid = started.get<QTableView>("Grid顧客");
    grid->setFocus();
    grid->setCurrentIndex(QModelIndex());
    grid->setCurrentIndex(list->model()->index(row, list->modelColumn(CustomerList::Col領収額)));
    QWidget* editor = QApplication::focusWidget();
    QTest::keyClicks(editor, amount);
    QTest::keyClick(editor, Qt::Key_Return);
}

ReportPreview* print(StartedWindow& started, const QString& paperType, bool blank = false, int copies = 1)
{
    return printThroughWindow(started, paperType, blank, copies);
}

QStringList texts(ReportRun& run, const char* control)
{
    QStringList result;
    for (int cell = 0; cell < run.cellCount(); ++cell)
        result << run.text(cell, u(control));
    return result;
}

qint64 storedLastNumber() { return CompanyTable::readFirst().value_or(CompanySettingsRecord{}).領収証番号.toLongLong(); }

} // namespace

void TestPrinting::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
}

void TestPrinting::init()
{
    ScriptedMessagePresenter::install();
}

// A fresh database shows No.00001; printing numbered receipts moves the label on at once.
void TestPrinting::formResetShowsNextNumber()
{
    StartedWindow started;
    auto* number = started.get<QLabel>("Lbl領収証番号");
    const int rightEdge = 536; // (6960 + 1095) twips
    auto shownWhole = [&] {
        return number->sizeHint().width() <= number->width() && number->geometry().right() == rightEdge;
    };
    QCOMPARE(number->text(), u("No.00001"));
    QVERIFY(shownWhole());
    QCOMPARE(started.get<QLineEdit>("txt領収証但書")->text(), u("但し、品代として"));
    QCOMPARE(started.get<DateBox>("Dt領収日付")->text(), u("2026年12月10日"));
    Access自社情報(u("領収証番号"), u("Set"), 123453);
    loadCategory(started, {u("一"), u("二"), u("三")});
    QTemporaryDir dir;
    QVERIFY(print(started, u("A4 x 4"))->saveAsPdfTo(dir.filePath(u("r.pdf"))));
    QCOMPARE(number->text(), u("No.123457"));
    QVERIFY(shownWhole());
    // The title is the user's: "クリア" keeps it.
    started.get<QLineEdit>("txt領収証タイトル")->setText(u("会費領収証"));
    click(started, "cmdクリア");
    QCOMPARE(started.get<QLineEdit>("txt領収証タイトル")->text(), u("会費領収証"));
    QCOMPARE(number->text(), u("No.123457"));
}

void TestPrinting::unreadableCounterStopsOnlyNumberedRuns_data()
{
    QTest::addColumn<bool>("blank");
    QTest::newRow("blank forms print") << true;
    QTest::newRow("numbered list is refused") << false;
}

// A counter that is not a number stops numbering, named, and is left as it is; blank forms
// carry no number and still print.
void TestPrinting::unreadableCounterStopsOnlyNumberedRuns()
{
    QFETCH(bool, blank);
    StartedWindow started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('会', '1,234')")); });
    QVERIFY(started.show());
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    QCOMPARE(started.get<QLabel>("Lbl領収証番号")->text(), u("No."));
    loadCategory(started, {u("一"), u("二")});
    ReportPreview* preview = print(started, u("A4 x 4"), blank, 2);
    if (blank) {
        QVERIFY(preview);
        QTemporaryDir dir;
        QVERIFY(preview->saveAsPdfTo(dir.filePath(u("r.pdf"))));
        QCOMPARE(messages.shown.size(), 0);
    } else {
        QVERIFY(!preview);
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.shown[0].prompt.contains(u("'1,234'")), qPrintable(messages.shown[0].prompt));
    }
    QCOMPARE(TestData::columnMain(u("SELECT 領収証番号 FROM 自社情報")), QVariantList{u("1,234")});
}

void TestPrinting::typicalListRun_data()
{
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("date");
    QTest::newRow("Gregorian") << u("西暦") << u("2026年12月10日");
    QTest::newRow("era") << u("和暦") << u("令和 08年12月10日");
}

// Choose a category, type amounts, unmark one, print "A4 x 8 T3" with every switch on.
void TestPrinting::typicalListRun()
{
    QFETCH(QString, era);
    QFETCH(QString, date);
    StartedWindow started([&] { QVERIFY(CompanyTable::writeFirst({u("青葉会"), u("東京都"), era, 40})); });
    QVERIFY(started.show());
    loadCategory(started, {u("相川"), u("井上"), u("上田"), u("江口")});
    typeAmount(started, 0, u("1500"));
    typeAmount(started, 2, u("12000"));
    auto* grid = started.get<QTableView>("Grid顧客");
    CustomerList* list = started.window->customerList();
    const QModelIndex mark = list->model()->index(1, list->modelColumn(CustomerList::Colチェック));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(mark).center());

    ReportPreview* preview = print(started, u("A4 x 8 T3"));
    QVERIFY(preview);
    ReportRun& run = preview->run();
    QCOMPARE(run.layout().name, u("Rpt領収証A48D"));
    QCOMPARE(texts(run, "txt氏名"), QStringList({u("相川"), u("上田"), u("江口")}));
    QCOMPARE(texts(run, "txt領収額"), QStringList({u("　¥1,500-　"), u("　¥12,000-　"), u("　¥　　　　  ")}));
    QCOMPARE(texts(run, "txtNo"), QStringList({u("00041"), u("00042"), u("00043")}));
    QCOMPARE(texts(run, "txt日付"), QStringList(3, date));
    QCOMPARE(texts(run, "txt会名称"), QStringList(3, u("青葉会")));
    QCOMPARE(storedLastNumber(), 40); // a preview prints nothing
    QStringList recorded; // the rows of the last run stay on record in the work database
    for (const PrintRow& row : PrintRowTable::rows())
        recorded << row.顧客名.toString();
    QCOMPARE(recorded, texts(run, "txt氏名"));

    // Printed (to a PDF file): the last number is stored and the next run follows it.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u("receipts.pdf"));
    QVERIFY(preview->saveAsPdfTo(pdf));
    QCOMPARE(storedLastNumber(), 43);
    QCOMPARE(started.get<QLabel>("Lbl領収証番号")->text(), u("No.00044"));
    const QString printed = pdfText(pdf);
    for (const QString& expected : {u("相川"), u("上田"), u("江口"), u("00043"), u("12,000"), date})
        QVERIFY2(printed.contains(expected), qPrintable(expected));
    QVERIFY(!printed.contains(u("井上")));

    ReportPreview* next = print(started, u("A4 x 8 T3"));
    QVERIFY(next && next != preview);
    QCOMPARE(texts(next->run(), "txtNo").value(0), u("00044"));
}

void TestPrinting::taxClassOfTheRun_data()
{
    QTest::addColumn<QString>("categoryDefault"); // stored key; empty: none
    QTest::addColumn<QString>("chosen");          // chosen in the print panel; empty: as offered
    QTest::addColumn<QString>("offered");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("category default 8%") << u("8") << QString() << u("8%（軽減税率）")
                                         << QStringList{u("※軽減税率対象（内消費税等 8%　¥4,444）"),
                                                        u("※軽減税率対象（内消費税等 8%　¥81）")};
    QTest::newRow("changed for the run") << u("10") << u("非課税") << u("10%")
                                         << QStringList{u("（非課税）"), u("（非課税）")};
    QTest::newRow("no default") << QString() << QString() << u("表示なし") << QStringList{QString(), QString()};
}

// The print panel offers the category's default tax class; the run prints the class chosen
// there, and says before the preview how many receipts need a revenue stamp.
void TestPrinting::taxClassOfTheRun()
{
    QFETCH(QString, categoryDefault);
    QFETCH(QString, chosen);
    QFETCH(QString, offered);
    QFETCH(QStringList, lines);
    StartedWindow started([&] {
        QVERIFY(CompanyTable::writeFirst({u("青葉商店"), u("東京都"), u("西暦"), 40, u("qualified"), u("T7000012050002"), u("down")}));
        if (!categoryDefault.isEmpty())
            QVERIFY(CategoryTaxTable::write(u("会員"), categoryDefault));
    });
    QVERIFY(started.show());
    auto& presenter = ScriptedMessagePresenter::install();
    loadCategory(started, {u("相川"), u("井上")});
    typeAmount(started, 0, u("60000"));
    typeAmount(started, 1, u("1100"));
    click(started, "cmd徴収印刷");
    auto* taxClass = started.get<QComboBox>("cmb税区分");
    QCOMPARE(taxClass->currentText(), offered);
    if (!chosen.isEmpty())
        taxClass->setCurrentText(chosen);
    click(started, "cmd印刷実行");
    ReportPreview* preview = started.window->printRuns()->lastPreview();
    QVERIFY(preview);
    QCOMPARE(texts(preview->run(), "txt消費税"), lines);
    QCOMPARE(texts(preview->run(), "Lbl収入印紙"), (QStringList{u("収入印紙"), QString()}));
    QCOMPARE(presenter.shown.size(), 1);
    QCOMPARE(presenter.shown[0].prompt, u("収入印紙が必要な領収証：1 枚（200 円）"));
}

// No customer marked: an empty preview and no message.
void TestPrinting::nothingMarkedGivesAnEmptyPreview()
{
    StartedWindow started;
    QVERIFY(started.show());
    loadCategory(started, {u("相川"), u("井上")});
    click(started, "cmd全解除");
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    ReportPreview* preview = print(started, u("A4 x 4"));
    QVERIFY(preview);
    QCOMPARE(preview->run().cellCount(), 0);
    QCOMPARE(preview->run().pageCount(), 0);
    QVERIFY(presenter.shown.isEmpty());
}

void TestPrinting::blankForms_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<int>("pages");
    QTest::newRow("five on A4 x 4: one full sheet and one more") << 5 << 2;
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("negative count") << -3 << 0;
}

// Blank forms carry no number, even with the number switch on, and never move the counter.
void TestPrinting::blankForms()
{
    QFETCH(int, copies);
    QFETCH(int, pages);
    StartedWindow started([] { QVERIFY(CompanyTable::writeFirst({u("会"), {}, u("西暦"), 7})); });
    QVERIFY(started.show());
    ReportPreview* preview = print(started, u("A4 x 4"), true, copies);
    QVERIFY(preview);
    ReportRun& run = preview->run();
    QCOMPARE(run.cellCount(), std::max(copies, 0));
    QCOMPARE(run.pageCount(), pages);
    for (const QString& number : texts(run, "txtNo"))
        QVERIFY(number.isEmpty());
    for (const QString& name : texts(run, "txt氏名"))
        QVERIFY(name.isEmpty());
    QTemporaryDir dir;
    QVERIFY(ReceiptRun::writePdf(run, dir.filePath(u("blank.pdf"))));
    QCOMPARE(storedLastNumber(), 7);
}

void TestPrinting::paperTypeChoosesLayout_data()
{
    QTest::addColumn<QString>("paper");
    QTest::addColumn<QString>("layout");
    QTest::newRow("A4 x 4") << u("A4 x 4") << u("Rpt領収証A44A");
    QTest::newRow("counterfoil") << u("A4 x 4 控付") << u("Rpt領収証A44B");
    QTest::newRow("T2") << u("A4 x 4 T2") << u("Rpt領収証A44C");
    QTest::newRow("T4 eight") << u("A4 x 8 T4") << u("Rpt領収証A48E");
    QTest::newRow("empty paper type") << QString() << u("Rpt領収証A44A");
}

void TestPrinting::paperTypeChoosesLayout()
{
    QFETCH(QString, paper);
    QFETCH(QString, layout);
    StartedWindow started;
    click(started, "cmd徴収印刷");
    auto* box = started.get<QComboBox>("cmb用紙");
    if (paper.isEmpty())
        box->setCurrentIndex(-1);
    else
        box->setCurrentIndex(box->findText(paper));
    click(started, "cmd印刷実行");
    ReportPreview* preview = started.window->printRuns()->lastPreview();
    QVERIFY(preview);
    QCOMPARE(preview->run().layout().name, layout);
}

// Every opening of the panel brings back the defaults; closing hides it.
void TestPrinting::panelResetsAtEveryOpening()
{
    StartedWindow started;
    QVERIFY(started.show());
    auto* panel = started.get<QWidget>("Cn印刷選択");
    QVERIFY(!panel->isVisible());
    click(started, "cmd徴収印刷");
    QVERIFY(panel->isVisible());
    started.get<QCheckBox>("Chk番号印刷")->setChecked(false);
    started.get<QCheckBox>("Chk金額印刷")->setChecked(false);
    started.get<QRadioButton>("Opt白紙印刷")->setChecked(true);
    started.get<NumberBox>("num枚数")->setValue(9);
    click(started, "cmd印刷設定閉じる");
    QVERIFY(!panel->isVisible());
    click(started, "cmd徴収印刷");
    QVERIFY(started.get<QCheckBox>("Chk番号印刷")->isChecked());
    QVERIFY(started.get<QCheckBox>("Chk金額印刷")->isChecked());
    QVERIFY(started.get<QCheckBox>("Chk日付印刷")->isChecked());
    QVERIFY(started.get<QRadioButton>("Optリスト印刷")->isChecked());
    QCOMPARE(started.get<NumberBox>("num枚数")->value(), 1);
    // An emptied count prints one blank form.
    started.get<QRadioButton>("Opt白紙印刷")->setChecked(true);
    started.get<NumberBox>("num枚数")->clear();
    click(started, "cmd印刷実行");
    QCOMPARE(started.window->printRuns()->lastPreview()->run().cellCount(), 1);
    QVERIFY(panel->isVisible()); // the panel stays open after printing
}

// Unsaved company texts on the settings tab go on list runs; the form's own only on blank forms.
void TestPrinting::companyTextsComeFromTheirTab()
{
    StartedWindow started([] { QVERIFY(CompanyTable::writeFirst({u("旧名"), u("旧情報"), u("西暦"), 0})); });
    QVERIFY(started.show());
    started.get<QLineEdit>("txt自社名")->setText(u("設定タブの名前"));
    started.get<QPlainTextEdit>("txt自社情報")->setPlainText(u("設定タブの情報"));
    started.get<QLineEdit>("txt自社名領収証")->setText(u("フォームの名前"));
    loadCategory(started, {u("相川")});
    ReportPreview* list = print(started, u("A4 x 4"));
    QCOMPARE(list->run().text(0, u("txt会名称")), u("設定タブの名前"));
    QCOMPARE(list->run().text(0, u("txt会情報")), u("設定タブの情報"));
    ReportPreview* blank = print(started, u("A4 x 4"), true, 1);
    QCOMPARE(blank->run().text(0, u("txt会名称")), u("フォームの名前"));
    QCOMPARE(blank->run().text(0, u("txt会情報")), u("旧情報"));
}

// The form's proviso is printed where a customer has none, and on blank forms.
void TestPrinting::formProvisoStandsInForAMissingOne()
{
    StartedWindow started;
    QVERIFY(started.show());
    loadCategory(started, {u("相川")});
    started.get<QLineEdit>("txt領収証但書")->setText(u("年会費として"));
    QCOMPARE(print(started, u("A4 x 4"))->run().text(0, u("txt但書")), u("年会費として"));
    QCOMPARE(print(started, u("A4 x 4"), true, 1)->run().text(0, u("txt但書")), u("年会費として"));
    started.get<QLineEdit>("txt領収証但書")->clear();
    QCOMPARE(print(started, u("A4 x 4"))->run().text(0, u("txt但書")), u("但し、品代として"));
}

// Across printing, a settings save, a restart and an output that dies part-way, no number
// is handed out twice.
void TestPrinting::receiptNumbersAreNeverReused()
{
    StartedWindow started([] { QVERIFY(CompanyTable::writeFirst({u("会"), {}, u("西暦"), 40})); });
    QVERIFY(started.show());
    loadCategory(started, {u("相川"), u("井上"), u("上田")});
    ReportPreview* first = print(started, u("A4 x 4"));
    QTemporaryDir dir;
    QVERIFY(first->saveAsPdfTo(dir.filePath(u("a.pdf"))));
    QVERIFY(first->saveAsPdfTo(dir.filePath(u("again.pdf")))); // a reprint
    QCOMPARE(storedLastNumber(), 43);

    // Saving the settings as they stand does not write an older number back, nor does saving
    // a cleared screen.
    ScriptedMessagePresenter::install().answers = {true};
    click(started, "cmd設定登録");
    QCOMPARE(storedLastNumber(), 43);
    click(started, "cmd設定クリア");
    ScriptedMessagePresenter::install().answers = {true};
    click(started, "cmd設定登録");
    QCOMPARE(storedLastNumber(), 43);
    click(started, "cmd設定読込");

    // After a restart the form and the next run go on from there.
    Frm領収証 restarted;
    QVERIFY(restarted.Form_Load(started.data.folder()));
    QCOMPARE(restarted.findChild<QLabel*>(u("Lbl領収証番号"))->text(), u("No.00044"));

    // Output that cannot begin issues nothing: no receipt went out with these numbers.
    click(started, "cmd徴収読込"); // the restart emptied the shared work list
    ReportPreview* second = print(started, u("A4 x 4"));
    QCOMPARE(second->run().text(0, u("txtNo")), u("00044"));
    QVERIFY(!second->saveAsPdfTo(u("/dev/full")));
    QVERIFY(!second->saveAsPdfTo(dir.filePath(u("no-such-folder/r.pdf"))));
    QVERIFY(!second->saveAsPdfTo(dir.path()));
    QCOMPARE(storedLastNumber(), 43);
    QVERIFY(QDir(dir.path()).exists()); // a folder of that name is not replaced
    QVERIFY(second->saveAsPdfTo(dir.filePath(u("b.pdf"))));
    QCOMPARE(storedLastNumber(), 46);
    QCOMPARE(print(started, u("A4 x 4"))->run().text(0, u("txtNo")), u("00047"));
}

void TestPrinting::interleavedPreviewsNeverShareNumbers_data()
{
    // Two previews are open at once, both showing 00041 on: A for three members, B for one.
    // Each letter outputs that preview, a capital to a PDF file, a small one to a printer.
    QTest::addColumn<QString>("outputs");
    QTest::addColumn<QString>("numbers"); // per output, as read back from what went out
    QTest::addColumn<int>("notices");
    QTest::newRow("A then B") << u("AB") << u("00041 00042 00043|00044") << 1;
    QTest::newRow("B then A") << u("BA") << u("00041|00042 00043 00044") << 1;
    QTest::newRow("A twice") << u("Aa") << u("00041 00042 00043|00041 00042 00043") << 0;
    QTest::newRow("A, B, A again") << u("AbA") << u("00041 00042 00043|00044|00041 00042 00043") << 1;
    QTest::newRow("B printed, B saved, A") << u("bBa") << u("00041|00041|00042 00043 00044") << 1;
}

// However the outputs of open previews interleave, no number goes out on two different
// receipts; a reprint keeps its numbers; a preview renumbered at output shows the new numbers.
void TestPrinting::interleavedPreviewsNeverShareNumbers()
{
    QFETCH(QString, outputs);
    QFETCH(QString, numbers);
    QFETCH(int, notices);
    StartedWindow started([] { QVERIFY(CompanyTable::writeFirst({u("会"), {}, u("西暦"), 40})); });
    QVERIFY(started.show());
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    loadCategory(started, {u("相川"), u("井上"), u("上田")}, u("会員"));
    QPointer<ReportPreview> a = print(started, u("A4 x 4"));
    loadCategory(started, {u("田中")}, u("役員"));
    QPointer<ReportPreview> b = print(started, u("A4 x 4"));
    QVERIFY(a && b && a != b);
    QCOMPARE(texts(a->run(), "txtNo").value(0), u("00041"));
    QCOMPARE(texts(b->run(), "txtNo").value(0), u("00041"));

    QTemporaryDir dir;
    QMap<QString, QString> owner; // number -> the name it went out on
    QStringList wentOut;
    for (int i = 0; i < outputs.size(); ++i) {
        const QChar which = outputs.at(i);
        ReportPreview* preview = which.toUpper() == QLatin1Char('A') ? a.data() : b.data();
        const QString path = dir.filePath(u("%1.pdf").arg(i));
        if (which.isUpper()) {
            QVERIFY(preview->saveAsPdfTo(path));
        } else {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            QVERIFY(preview->printOn(printer));
        }
        const QStringList printed = numbersIn(path);
        QCOMPARE(texts(preview->run(), "txtNo"), printed); // the preview shows what went out
        const QStringList names = texts(preview->run(), "txt氏名");
        for (int n = 0; n < printed.size(); ++n) {
            QVERIFY2(owner.value(printed[n], names[n]) == names[n],
                     qPrintable(u("%1 went out on two receipts").arg(printed[n])));
            owner.insert(printed[n], names[n]);
        }
        wentOut << printed.join(QLatin1Char(' '));
    }
    QCOMPARE(wentOut.join(QLatin1Char('|')), numbers);
    QCOMPARE(storedLastNumber(), owner.lastKey().toLongLong());
    int told = 0;
    for (const MessageBoxSpec& box : messages.shown)
        told += box.prompt.contains(u("振り直しました"));
    QCOMPARE(told, notices);
    QCOMPARE(texts(print(started, u("A4 x 4"))->run(), "txtNo").value(0),
             ReceiptFormat::number(storedLastNumber() + 1));
}

// 印刷位置の調整 from the print options: what a printer shows is its own stored correction, the
// boxes keep to their ranges, and saving one printer's leaves the others'.
void TestPrinting::calibrationPerPrinter_data()
{
    QTest::addColumn<QString>("printer");
    QTest::addColumn<QList<double>>("typed"); // left/right mm, up/down mm, scale %
    QTest::addColumn<QList<double>>("shownBefore");
    QTest::addColumn<QVariantList>("stored");
    const QString other = u("事務所のプリンタ|3|0|1010");
    QTest::newRow("new printer") << u("テスト用プリンタ") << QList<double>{1.5, -2.0, 98.0}
                                 << QList<double>{0, 0, 100} << QVariantList{other, u("テスト用プリンタ|15|-20|980")};
    QTest::newRow("stored printer") << u("事務所のプリンタ") << QList<double>{-0.7, 9.9, 105.0}
                                    << QList<double>{0.3, 0, 101} << QVariantList{u("事務所のプリンタ|-7|99|1050")};
    QTest::newRow("beyond the ranges") << u("事務所のプリンタ") << QList<double>{12.0, -10.5, 90.0}
                                       << QList<double>{0.3, 0, 101} << QVariantList{u("事務所のプリンタ|100|-100|950")};
}

void TestPrinting::calibrationPerPrinter()
{
    QFETCH(QString, printer);
    QFETCH(QList<double>, typed);
    QFETCH(QList<double>, shownBefore);
    QFETCH(QVariantList, stored);
    StartedWindow started([] {
        TestData::execMain(u("INSERT INTO 印刷位置 (プリンタ名, 左右, 上下, 倍率) VALUES ('事務所のプリンタ', 3, 0, 1010)"));
    });
    click(started, "cmd徴収印刷");
    QList<double> shown;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QComboBox*>(u("cmbプリンタ"))->setCurrentText(printer);
        const QList<QDoubleSpinBox*> boxes = {dialog->findChild<QDoubleSpinBox*>(u("num左右")),
                                              dialog->findChild<QDoubleSpinBox*>(u("num上下")),
                                              dialog->findChild<QDoubleSpinBox*>(u("num倍率"))};
        for (int i = 0; i < boxes.size(); ++i) {
            shown << boxes[i]->value();
            boxes[i]->setValue(typed[i]);
        }
        dialog->accept();
    });
    click(started, "cmd印刷位置");
    QCOMPARE(shown, shownBefore);
    QCOMPARE(TestData::columnMain(u("SELECT プリンタ名 || '|' || 左右 || '|' || 上下 || '|' || 倍率 FROM 印刷位置 "
                                    "ORDER BY プリンタ名 DESC")),
             stored);
}

// 印刷位置の調整 from the preview: it opens on the printer the preview prints to, a printer
// chosen and saved there is the one the next print goes to, and that print moves by its
// correction; cancelled, nothing changes.
void TestPrinting::calibrationFromThePreview_data()
{
    QTest::addColumn<QString>("chosen"); // in the dialog
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("printsTo");
    QTest::addColumn<double>("movedMm"); // the next print against the first, rightwards
    QTest::addColumn<QVariantList>("stored");
    const QString office = u("事務所のプリンタ");
    QTest::newRow("the printer printed to") << office << true << office << 1.7
                                            << QVariantList{u("事務所のプリンタ|20|0|1000")};
    QTest::newRow("another printer chosen")
        << u("テスト用プリンタ") << true << u("テスト用プリンタ") << 1.7
        << QVariantList{u("事務所のプリンタ|3|0|1000"), u("テスト用プリンタ|20|0|1000")};
    QTest::newRow("cancelled") << u("テスト用プリンタ") << false << office << 0.0
                               << QVariantList{u("事務所のプリンタ|3|0|1000")};
}

void TestPrinting::calibrationFromThePreview()
{
    QFETCH(QString, chosen);
    QFETCH(bool, saved);
    QFETCH(QString, printsTo);
    QFETCH(double, movedMm);
    QFETCH(QVariantList, stored);
    StartedWindow started([] {
        TestData::execMain(u("INSERT INTO 印刷位置 (プリンタ名, 左右, 上下, 倍率) VALUES ('事務所のプリンタ', 3, 0, 1000)"));
    });
    QPointer<ReportPreview> preview = print(started, u("A4 x 4"), true, 4);
    QVERIFY(preview);
    QTemporaryDir dir;
    const auto printedTo = [&](const QString& printerName, const QString& file) {
        QPrinter printer(QPrinter::HighResolution); // the printer named stands in a file
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(file));
        return preview->printOn(printer, printerName) ? pdfWords(printer.outputFileName()) : QList<PdfWord>();
    };
    const QList<PdfWord> first = printedTo(u("事務所のプリンタ"), u("first.pdf"));
    QVERIFY(!first.isEmpty());
    QString openedOn;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto* printer = dialog->findChild<QComboBox*>(u("cmbプリンタ"));
        openedOn = printer->currentText();
        printer->setCurrentText(chosen);
        dialog->findChild<QDoubleSpinBox*>(u("num左右"))->setValue(2.0);
        saved ? dialog->accept() : dialog->reject();
    });
    auto* calibration = preview->findChild<QAction*>(u("cmd印刷位置の調整"));
    QVERIFY(calibration);
    calibration->trigger();
    QCOMPARE(openedOn, u("事務所のプリンタ"));
    QCOMPARE(preview->printerName(), printsTo);
    QCOMPARE(TestData::columnMain(u("SELECT プリンタ名 || '|' || 左右 || '|' || 上下 || '|' || 倍率 FROM 印刷位置 "
                                    "ORDER BY プリンタ名 DESC")),
             stored);
    const QList<PdfWord> next = printedTo(preview->printerName(), u("next.pdf"));
    QCOMPARE(next.size(), first.size());
    constexpr double PointsPerMm = 72 / 25.4;
    for (qsizetype i = 0; i < first.size(); ++i) {
        QCOMPARE(next.at(i).text, first.at(i).text);
        const QPointF moved = next.at(i).box.topLeft() - first.at(i).box.topLeft();
        QVERIFY2(qAbs(moved.x() - movedMm * PointsPerMm) < 0.1 * PointsPerMm && qAbs(moved.y()) < 0.1 * PointsPerMm,
                 qPrintable(u("%1 moved %2, %3 pt").arg(first.at(i).text).arg(moved.x()).arg(moved.y())));
    }
}

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
