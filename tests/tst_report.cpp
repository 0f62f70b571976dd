// The report engine with the receipt formatting: handler order, pages and cells, every
// formatted text, numbering and the stored counter, PDF output read back by poppler,
// texts that do not fit, and the preview window.
#include "ScriptedMessagePresenter.h"
#include "PartsDrawn.h"
#include "PdfText.h"
#include "RequestFixture.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "preview/PreviewWindows.h"
#include "preview/ReportPreview.h"
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptFormat.h"
#include "receipt/ReceiptRun.h"
#include "receipt/TaxMarks.h"
#include "receipt/layouts/ReceiptLayouts.h"
#include "report/CalibrationSheet.h"
#include "report/CellTexts.h"
#include "report/PagePainter.h"
#include "report/PdfDrawing.h"
#include "report/PdfRewriter.h"
#include "report/PdfTextLayer.h"
#include "report/ReportDetail.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QLabel>
#include <QLineF>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QPicture>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRawFont>
#include <QScreen>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

#include <unistd.h>

Q_DECLARE_METATYPE(ConsumptionTax::TaxClass)
Q_DECLARE_METATYPE(QList<PrintRow>)

namespace {

const QChar IS(0x3000); // ideographic space
const QString Yen = QString(QChar(0x00A5));
const QString WideBlank = IS + Yen + QString(6, IS);
const QString NarrowBlank = IS + Yen + QString(4, IS) + u("  ");
const QString FoilBlank = IS + Yen + QString(5, IS);
const QString BlankDate = u("   ") + IS + u("   年") + QString(2, IS) + u("月") + QString(2, IS) + u("日");

QList<PrintRow> members(int count)
{
    QList<PrintRow> rows;
    for (int i = 1; i <= count; ++i)
        rows.append({u("会員%1").arg(i, 2, 10, QLatin1Char('0')), qint64(1000 * i), u("会費として")});
    return rows;
}

// Stored last receipt number (Null when none).
QVariant storedLastNumber()
{
    const QVariantList values = TestData::columnMain(u("SELECT 領収証番号 FROM 自社情報 ORDER BY rowid LIMIT 1"));
    return values.isEmpty() ? QVariant() : values.first();
}

// The word `text` whose middle lies nearest to `box` (twips on the page).
const PdfWord* wordNear(const QList<PdfWord>& words, const QString& text, const QRect& box)
{
    const PdfWord* best = nullptr;
    qreal bestDistance = 0;
    for (const PdfWord& w : words) {
        const QPointF middle = w.box.center() * 20;
        const QPointF inBox(std::clamp<qreal>(middle.x(), box.left(), box.right()),
                            std::clamp<qreal>(middle.y(), box.top(), box.bottom()));
        const qreal distance = QLineF(middle, inBox).length();
        if (w.text == text && (!best || distance < bestDistance)) {
            best = &w;
            bestDistance = distance;
        }
    }
    return best;
}

// The characters a PDF's text layer gives for its glyphs: the targets of every ToUnicode
// map, read raw by mutool (text extractors turn control characters into blanks).
QSet<char32_t> textLayerCharacters(const QString& path)
{
    QProcess p;
    p.start(u("mutool"), {u("show"), u("-b"), path, u("trailer/Root/Pages/Kids/*/Resources/Font/*/ToUnicode")});
    if (!p.waitForFinished(60000))
        return {};
    const QString maps = QString::fromLatin1(p.readAllStandardOutput());
    auto character = [](const QString& hex) { // UTF-16 code units, four digits each
        QString text;
        for (qsizetype i = 0; i + 4 <= hex.size(); i += 4)
            text.append(QChar(char16_t(hex.mid(i, 4).toUInt(nullptr, 16))));
        return text.toUcs4().value(0);
    };
    QSet<char32_t> characters;
    static const QRegularExpression section(u(R"(begin(bfchar|bfrange)(.*?)end\1)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression pair(u(R"(<(\w+)>\s*<(\w+)>)"));
    static const QRegularExpression range(u(R"(<(\w+)>\s*<(\w+)>\s*(?:<(\w+)>|\[([^\]]*)\]))"));
    static const QRegularExpression hex(u(R"(<(\w+)>)"));
    for (auto s = section.globalMatch(maps); s.hasNext();) {
        const auto m = s.next();
        const bool ranges = m.captured(1) == u("bfrange");
        for (auto e = (ranges ? range : pair).globalMatch(m.captured(2)); e.hasNext();) {
            const auto n = e.next();
            if (!ranges) {
                characters.insert(character(n.captured(2)));
                continue;
            }
            const uint low = n.captured(1).toUInt(nullptr, 16);
            const uint high = n.captured(2).toUInt(nullptr, 16);
            if (!n.captured(4).isNull()) {
                for (auto h = hex.globalMatch(n.captured(4)); h.hasNext();)
                    characters.insert(character(h.next().captured(1)));
            } else {
                for (uint code = 0; code <= high - low; ++code)
                    characters.insert(character(n.captured(3)) + code);
            }
        }
    }
    return characters;
}

// Handlers that write down what the engine asks of them.
class RecordingHandlers : public ReportHandlers {
public:
    explicit RecordingHandlers(QStringList* log) : log_(log) {}
    void reportStart(ReportLayout& layout) override { log_->append(u("start ") + layout.name); }
    void detailFormat(ReportDetail& detail) override
    {
        log_->append(u("format ") + detail.text(u("txt氏名")) + u("|") + detail.text(u("LblNo")));
        detail.setText(u("txtNo"), QString::number(++formatted_));
    }
    void detailAfterPrint() override { log_->append(u("after")); }
    void printStart() override { log_->append(u("print")); }
    void printProgress(int page) override { log_->append(u("page %1").arg(page)); }

private:
    QStringList* log_;
    int formatted_ = 0;
};

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void handlersRunInOrder();
    void cellTextsKeepEveryChange_data();
    void cellTextsKeepEveryChange();
    void cellsFillPages_data();
    void cellsFillPages();
    void amount_data();
    void amount();
    void date_data();
    void date();
    void sharedTexts_data();
    void sharedTexts();
    void numbering_data();
    void numbering();
    void counterAfterOutput_data();
    void counterAfterOutput();
    void counterFailureOutputsNothing_data();
    void counterFailureOutputsNothing();
    void outputNeverWritesIntoTheDatabase_data();
    void outputNeverWritesIntoTheDatabase();
    void nullColumnsPrintAsBlanks();
    void printerGetsChosenPages();
    void printerCorrectionMovesEveryControl();
    void pdfReadBack_data();
    void pdfReadBack();
    void taxTextsReadBack_data();
    void taxTextsReadBack();
    void overlongTextsStayInTheirCells_data();
    void overlongTextsStayInTheirCells();
    void textFitPolicy_data();
    void textFitPolicy();
    void textWidthsAgreeWithQt_data();
    void textWidthsAgreeWithQt();
    void fixedTextsPrintAtTableSize_data();
    void fixedTextsPrintAtTableSize();
    void textLayerNamesEveryDrawnCharacter_data();
    void textLayerNamesEveryDrawnCharacter();
    void centredAmountKeepsItsCentre_data();
    void centredAmountKeepsItsCentre();
    void namesBreakBetweenWords_data();
    void namesBreakBetweenWords();
    void sharedGlyphsCopyAsDrawn_data();
    void sharedGlyphsCopyAsDrawn();
    void markedGlyphsCopyAsDrawnInEveryFit_data();
    void markedGlyphsCopyAsDrawnInEveryFit();
    void everyCharacterNamedAsAnotherCopiesAsDrawn();
    void everyMarkReadsBackAsItsCharacter_data();
    void everyMarkReadsBackAsItsCharacter();
    void pdfSharesWhatPagesRepeat_data();
    void pdfSharesWhatPagesRepeat();
    void partsDrawnAtOnceReadAsOneDocument();
    void pdfRewriteRefusesWhatItCannotRead_data();
    void pdfRewriteRefusesWhatItCannotRead();
    void previewWindow();
    void emptyRunSaysWhy();
    void previewOpensOverItsWindow();
    void calibrationSheet_data();
    void calibrationSheet();

private:
    // A run of the request every test starts from, on the given paper.
    std::shared_ptr<ReportRun> build(const QString& paperType, const QList<PrintRow>& rows) const
    {
        return runOn(request_, paperType, rows);
    }

    std::unique_ptr<TestData> data_;
    PrintRequest request_;
};

void TestReport::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void TestReport::init()
{
    data_ = std::make_unique<TestData>();
    QVERIFY(data_->ok());
    request_ = everySwitchOn(u("領　収　証"), u("みどり町内会"), u("東京都港区一丁目1番1号"), u("令和 8年12月10日"));
}

void TestReport::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        delete w;
    data_.reset();
}

// The packed texts of a run against a plain list of every cell's texts, through many changes
// that shrink, grow and move cells, across blocks, with texts of every kind.
void TestReport::cellTextsKeepEveryChange_data()
{
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("changes");
    QTest::addColumn<QStringList>("kinds");
    const QString overlong = QString(70000, QChar(u'長')); // beyond one unit of length
    QTest::newRow("one cell") << 1 << 50 << QStringList{QString(), u("鈴木")};
    QTest::newRow("short texts over many blocks") << 20000 << 40000 << QStringList{QString(), u("00041"), u("会員 12")};
    QTest::newRow("hostile texts") << 300 << 3000
                                   << QStringList{QString(), u("😀\"\'"), u("\uFFFF\uFFFE"), QString(QChar(0)),
                                                  overlong, u("【再発行】")};
}

void TestReport::cellTextsKeepEveryChange()
{
    QFETCH(int, cells);
    QFETCH(int, changes);
    QFETCH(QStringList, kinds);
    constexpr int Slots = 5;
    QRandomGenerator random(7);
    const auto anyText = [&] { return kinds.at(random.bounded(int(kinds.size()))) + QString::number(random.bounded(3)); };
    QList<QStringList> expected;
    CellTexts packed;
    for (int cell = 0; cell < cells; ++cell) {
        QStringList texts;
        for (int slot = 0; slot < Slots; ++slot)
            texts.append(cell > 0 && random.bounded(2) ? expected.first().at(slot) : anyText());
        expected.append(texts);
        packed.append(texts);
    }
    for (int change = 0; change < changes; ++change) {
        const int cell = random.bounded(cells);
        const int slot = random.bounded(Slots);
        // Sometimes every cell in order, to a longer text than it had, as marking a whole output
        // as copies does: every cell moves.
        if (change % 997 == 0) {
            const QString text = u("【再発行】") + QString(change / 997, QChar(u'*'));
            for (int each = 0; each < cells; ++each) {
                expected[each][slot] = text;
                packed.setText(each, slot, text);
            }
            continue;
        }
        expected[cell][slot] = anyText();
        packed.setText(cell, slot, expected.at(cell).at(slot));
    }
    QCOMPARE(packed.size(), cells);
    for (int cell = 0; cell < cells; ++cell) {
        QCOMPARE(packed.texts(cell), expected.at(cell));
        for (int slot = 0; slot < Slots; ++slot)
            QCOMPARE(packed.text(cell, slot), expected.at(cell).at(slot));
    }
}

void TestReport::handlersRunInOrder()
{
    ReportLayout layout;
    layout.name = u("Probe");
    layout.cellWidth = 5000;
    layout.margins = QMargins(100, 200, 0, 0);
    layout.controls = {Controls::field(u("txt氏名"), 0, 0, 1000, 300, 12, Qt::AlignLeft, u("顧客名")),
                       Controls::label(u("LblNo"), 0, 400, 500, 300, 12, Qt::AlignLeft, u("No.")),
                       Controls::field(u("txtNo"), 600, 400, 500, 300, 12, Qt::AlignLeft)};
    QStringList log;
    ReportRun run(layout, std::make_unique<RecordingHandlers>(&log));
    const ReportRows rows =
        ReportRows::fromLists({u("顧客名"), u("領収額")}, {{u("甲"), 1}, {QVariant(), 2}, {u("丙"), 3}});
    run.format(rows);
    QCOMPARE(log, QStringList({u("start Probe"), u("format 甲|No."), u("after"), u("format |No."), u("after"),
                               u("format 丙|No."), u("after")}));
    // What detailFormat set is what the pages show; the preview asks for pages without
    // notifying, output notifies once per page.
    QCOMPARE(run.page(0).find(u("txtNo"), 2)->text, u("3"));
    QCOMPARE(run.text(1, u("txt氏名")), QString());
    log.clear();
    QTemporaryDir dir;
    QVERIFY(ReportOutput::writePdf(run, dir.filePath(u("probe.pdf"))));
    QCOMPARE(log, QStringList({u("print"), u("page 1")}));
}

void TestReport::cellsFillPages_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QPoint>("lastCellOrigin"); // on the last page
    QTest::addColumn<int>("cellsOnLastPage");
    QTest::newRow("4-up, 5 rows: fifth at top of page 2") << u("A4 x 4") << 5 << 2 << QPoint(600, 270) << 1;
    QTest::newRow("4-up, 4 rows fill one page") << u("A4 x 4 T3") << 4 << 1 << QPoint(600, 270 + 3 * 4100) << 4;
    QTest::newRow("4-up counterfoil, 8 rows") << u("A4 x 4 控付") << 8 << 2 << QPoint(600, 270 + 3 * 4100) << 4;
    QTest::newRow("8-up, 9 rows: ninth in left column") << u("A4 x 8") << 9 << 2 << QPoint(200, 270) << 1;
    QTest::newRow("8-up, 2 rows side by side") << u("A4 x 8 T4") << 2 << 1 << QPoint(200 + 5730, 270) << 2;
    QTest::newRow("8-up, 3 rows: third starts row 2") << u("A4 x 8 T3") << 3 << 1 << QPoint(200, 270 + 4100) << 3;
    QTest::newRow("8-up, 8 rows end bottom right") << u("A4 x 8") << 8 << 1 << QPoint(5930, 270 + 3 * 4100) << 8;
    QTest::newRow("no rows, no pages") << u("A4 x 4") << 0 << 0 << QPoint() << 0;
}

void TestReport::cellsFillPages()
{
    QFETCH(QString, paperType);
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(QPoint, lastCellOrigin);
    QFETCH(int, cellsOnLastPage);
    const auto run = build(paperType, members(rows));
    QCOMPARE(run->pageCount(), pages);
    if (pages == 0)
        return;
    const ReportPage last = run->page(pages - 1);
    QSet<int> cells;
    for (const PageItem& item : last.items)
        cells.insert(item.receipt);
    QCOMPARE(cells.size(), cellsOnLastPage);
    const PageItem* cut = last.find(u("Line2"), rows - 1);
    QVERIFY(cut);
    QCOMPARE(cut->cell.topLeft(), lastCellOrigin);
    QCOMPARE(cut->cell.height(), 4100);
    // Every cell ends with its cut line, and every cell lies on the sheet.
    QCOMPARE(cut->line.y1(), lastCellOrigin.y() + 4000);
    QVERIFY(QRect(0, 0, 11906, 16838).contains(cut->cell));
    QCOMPARE(last.find(u("txt氏名"), rows - 1)->text, u("会員%1").arg(rows, 2, 10, QLatin1Char('0')));
}

void TestReport::amount_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<bool>("printAmount");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("counterfoil"); // only the counterfoil layout has one
    const QString none;
    auto printed = [](const QString& digits) { return IS + Yen + digits + u("-") + IS; };
    QTest::newRow("4-up 1,500") << u("A4 x 4") << QVariant(1500) << true << printed(u("1,500")) << none;
    QTest::newRow("4-up zero prints yen and dash") << u("A4 x 4") << QVariant(0) << true << printed(QString()) << none;
    QTest::newRow("4-up Null, switch on: wide blank") << u("A4 x 4 T2") << QVariant() << true << WideBlank << none;
    QTest::newRow("4-up 1,500, switch off: wide blank") << u("A4 x 4 T4") << QVariant(1500) << false << WideBlank
                                                        << none;
    QTest::newRow("4-up Null, switch off") << u("A4 x 4 T3") << QVariant() << false << WideBlank << none;
    QTest::newRow("8-up 1,500") << u("A4 x 8") << QVariant(1500) << true << printed(u("1,500")) << none;
    QTest::newRow("8-up zero") << u("A4 x 8 T3") << QVariant(0) << true << printed(QString()) << none;
    QTest::newRow("8-up Null, switch on: narrow blank") << u("A4 x 8") << QVariant() << true << NarrowBlank << none;
    QTest::newRow("8-up Null, switch off: wide blank") << u("A4 x 8 T4") << QVariant() << false << WideBlank << none;
    QTest::newRow("8-up 1,500, switch off: wide blank") << u("A4 x 8 T3") << QVariant(1500) << false << WideBlank
                                                        << none;
    QTest::newRow("counterfoil 1,500") << u("A4 x 4 控付") << QVariant(1500) << true << printed(u("1,500"))
                                       << u(" ") + Yen + u("1,500 ");
    QTest::newRow("counterfoil zero") << u("A4 x 4 控付") << QVariant(0) << true << printed(QString())
                                      << u(" ") + Yen + u(" ");
    QTest::newRow("counterfoil Null") << u("A4 x 4 控付") << QVariant() << true << WideBlank << FoilBlank;
    QTest::newRow("counterfoil switch off") << u("A4 x 4 控付") << QVariant(1500) << false << WideBlank << FoilBlank;
    QTest::newRow("largest amount") << u("A4 x 4 控付") << QVariant(Q_INT64_C(9999999999)) << true
                                    << printed(u("9,999,999,999")) << u(" ") + Yen + u("9,999,999,999 ");
    QTest::newRow("negative amount") << u("A4 x 8") << QVariant(-1500) << true << printed(u("-1,500")) << none;
    QTest::newRow("999 has no separator") << u("A4 x 4") << QVariant(999) << true << printed(u("999")) << none;
    QTest::newRow("1,000,000") << u("A4 x 4") << QVariant(1000000) << true << printed(u("1,000,000")) << none;
    QTest::newRow("text that is no number stays") << u("A4 x 4") << QVariant(u("未定")) << true << printed(u("未定"))
                                                  << none;
}

void TestReport::amount()
{
    QFETCH(QString, paperType);
    QFETCH(QVariant, amount);
    QFETCH(bool, printAmount);
    QFETCH(QString, expected);
    QFETCH(QString, counterfoil);
    request_.PrintAmountFlag = printAmount;
    const auto run = build(paperType, {{u("佐藤"), amount, u("会費")}});
    QCOMPARE(run->text(0, u("txt領収額")), expected);
    QCOMPARE(run->text(0, u("txt領収額控")), counterfoil);
}

void TestReport::date_data()
{
    QTest::addColumn<bool>("printDate");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("switch on, era date") << true << u("令和 8年12月10日") << u("令和 8年12月10日");
    QTest::newRow("switch on, western date") << true << u("2026年12月10日") << u("2026年12月10日");
    QTest::newRow("switch off") << false << u("令和 8年12月10日") << BlankDate;
    QTest::newRow("switch on, empty date") << true << QString() << BlankDate;
}

void TestReport::date()
{
    QFETCH(bool, printDate);
    QFETCH(QString, date);
    QFETCH(QString, expected);
    request_.PrintDateFlag = printDate;
    request_.ReceiptDate = date;
    for (const QString& paper : {u("A4 x 4"), u("A4 x 8 T4"), u("A4 x 4 控付")}) {
        const auto run = build(paper, members(2));
        QCOMPARE(run->text(1, u("txt日付")), expected);
        if (paper == u("A4 x 4 控付"))
            QCOMPARE(run->text(1, u("txt日付控")), expected);
    }
}

void TestReport::sharedTexts_data()
{
    QTest::addColumn<QVariant>("proviso");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expectedProviso");
    QTest::newRow("Null proviso gets the default") << QVariant() << u("領　収　証") << u("但し、品代として");
    QTest::newRow("empty proviso gets the default") << QVariant(QString()) << u("領収書") << u("但し、品代として");
    QTest::newRow("proviso kept as it is") << QVariant(u(" 会費として ")) << u("領収証") << u(" 会費として ");
    QTest::newRow("empty title leaves the head empty") << QVariant(u("寄付")) << QString() << u("寄付");
}

void TestReport::sharedTexts()
{
    QFETCH(QVariant, proviso);
    QFETCH(QString, title);
    QFETCH(QString, expectedProviso);
    PrintRequest& s = request_;
    s.ReceiptTitle = title;
    s.CompanyInfo = u("港区一丁目\n電話 03-0000-0000");
    const auto run = build(u("A4 x 8 T3"), {{u("鈴木"), 500, proviso}});
    QCOMPARE(run->text(0, u("txt但書")), expectedProviso);
    QCOMPARE(run->text(0, u("Lbl領収証タイトル")), title);
    QCOMPARE(run->text(0, u("txt会名称")), u("みどり町内会"));
    QCOMPARE(run->text(0, u("txt会情報")), u("港区一丁目\n電話 03-0000-0000"));
    QCOMPARE(run->text(0, u("txt氏名")), u("鈴木"));
}

void TestReport::numbering_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<bool>("printNumber");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("41 to 43") << u("A4 x 4") << qint64(41) << true << QStringList{u("00041"), u("00042"), u("00043")};
    QTest::newRow("counterfoil repeats the number") << u("A4 x 4 控付") << qint64(7) << true
                                                    << QStringList{u("00007"), u("00008"), u("00009")};
    QTest::newRow("six digits in full") << u("A4 x 8") << qint64(99999) << true
                                        << QStringList{u("99999"), u("100000"), u("100001")};
    QTest::newRow("switch off: empty") << u("A4 x 8 T4") << qint64(41) << false
                                       << QStringList{QString(), QString(), QString()};
}

void TestReport::numbering()
{
    QFETCH(QString, paperType);
    QFETCH(qint64, start);
    QFETCH(bool, printNumber);
    QFETCH(QStringList, expected);
    request_.ReceiptNo = start;
    request_.PrintNumberFlag = printNumber;
    const auto run = build(paperType, members(3));
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(run->text(i, u("txtNo")), expected.at(i));
        QCOMPARE(run->page(0).find(u("txtNo"), i)->text, expected.at(i));
        if (paperType == u("A4 x 4 控付"))
            QCOMPARE(run->text(i, u("txtNo控")), expected.at(i));
    }
    // The request is a value: numbering the run leaves it as it was.
    QCOMPARE(request_.ReceiptNo, start);
}

void TestReport::counterAfterOutput_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("PDF stores the last number") << u("pdf") << QVariant(43);
    QTest::newRow("printing twice stores the same") << u("pdf twice") << QVariant(43);
    QTest::newRow("preview only leaves it") << u("preview") << QVariant(40);
    QTest::newRow("number switch off leaves it") << u("switch off") << QVariant(40);
    // Each run records its own numbers: a switch changed for a later run does not stop this
    // one's printed numbers from being recorded (they would be handed out again).
    QTest::newRow("the run's own switch counts") << u("switch off after format") << QVariant(43);
    QTest::newRow("unwritable file leaves it") << u("bad path") << QVariant(40);
    // Another run issued numbers meanwhile: this one takes the next free ones (91..93).
    QTest::newRow("renumbered after a higher counter") << u("pdf after higher") << QVariant(93);
}

void TestReport::counterAfterOutput()
{
    QFETCH(QString, action);
    QFETCH(QVariant, stored);
    Access自社情報(u("領収証番号"), u("Set"), 40);
    if (action == u("pdf after higher"))
        Access自社情報(u("領収証番号"), u("Set"), 90);
    QCOMPARE(Access自社情報(u("領収証番号"), u("Get"), QVariant()).toLongLong(), action == u("pdf after higher") ? 91 : 41);
    if (action == u("switch off"))
        request_.PrintNumberFlag = false;
    const auto run = build(u("A4 x 4"), members(3));
    QTemporaryDir dir;
    const QString path = dir.filePath(u("r.pdf"));
    if (action == u("switch off after format"))
        request_.PrintNumberFlag = false;
    if (action == u("preview")) {
        auto* preview = new ReportPreview(run);
        preview->show();
        preview->showPage(1);
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else if (action == u("bad path")) {
        QString error;
        QVERIFY(!ReceiptRun::writePdf(*run, u("/nonexistent-folder/x/r.pdf"), &error));
        QVERIFY(!error.isEmpty());
    } else {
        QVERIFY(ReceiptRun::writePdf(*run, path));
        if (action == u("pdf twice"))
            QVERIFY(ReceiptRun::writePdf(*run, path));
    }
    QCOMPARE(storedLastNumber().toLongLong(), stored.toLongLong());
}

void TestReport::counterFailureOutputsNothing_data()
{
    QTest::addColumn<bool>("toPrinter");
    QTest::newRow("PDF file") << false;
    QTest::newRow("printer") << true;
}

// When the numbers cannot be stored nothing goes out, the user is told why, the preview stays
// open, and once the database takes writes again the same receipts go out with their numbers.
void TestReport::counterFailureOutputsNothing()
{
    QFETCH(bool, toPrinter);
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    Access自社情報(u("領収証番号"), u("Set"), 40);
    ReportPreview* preview = PreviewWindows::open(build(u("A4 x 4"), members(3)));
    QTemporaryDir dir;
    const QString path = dir.filePath(u("r.pdf"));
    auto output = [&] {
        if (!toPrinter)
            return preview->saveAsPdfTo(path);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return preview->printOn(printer);
    };
    QVERIFY(TestData::execMain(u("PRAGMA query_only = ON"))); // the database refuses writes
    QVERIFY(!output());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].prompt.contains(u("領収証番号を保存できなかった")), qPrintable(messages.shown[0].prompt));
    QVERIFY(preview->isVisible());
    QCOMPARE(storedLastNumber().toLongLong(), 40);

    QVERIFY(TestData::execMain(u("PRAGMA query_only = OFF")));
    QVERIFY(output());
    QCOMPARE(storedLastNumber().toLongLong(), 43);
    QStringList texts;
    for (const PdfWord& w : pdfWords(path))
        texts.append(w.text);
    QVERIFY(texts.contains(u("00041")) && texts.contains(u("00043")));
    preview->close();
}

void TestReport::outputNeverWritesIntoTheDatabase_data()
{
    QTest::addColumn<bool>("toPrinter");
    QTest::newRow("PDF file") << false;
    QTest::newRow("printer to a file") << true;
}

// A file name that is another (hard) link to the database is the database: the output is
// refused before any number is issued, naming it, and the file keeps its bytes.
void TestReport::outputNeverWritesIntoTheDatabase()
{
    QFETCH(bool, toPrinter);
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    Access自社情報(u("領収証番号"), u("Set"), 40);
    ReportPreview* preview = PreviewWindows::open(build(u("A4 x 4"), members(3)));
    QTemporaryDir dir;
    const QString database = data_->folder() + u("Ledrium.mdb");
    const QString path = dir.filePath(u("r.pdf"));
    QCOMPARE(::link(QFile::encodeName(database).constData(), QFile::encodeName(path).constData()), 0);
    QFile file(database);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    if (toPrinter) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        QVERIFY(!preview->printOn(printer));
    } else {
        QVERIFY(!preview->saveAsPdfTo(path));
    }
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].prompt.contains(database), qPrintable(messages.shown[0].prompt));
    QVERIFY(file.seek(0));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(storedLastNumber().toLongLong(), 40);
    preview->close();
}

void TestReport::nullColumnsPrintAsBlanks()
{
    const auto run = build(u("A4 x 4 控付"), {{u("一郎"), 100, QVariant()}, {QVariant(), QVariant(), QVariant()}});
    QCOMPARE(run->cellCount(), 2);
    QCOMPARE(run->text(0, u("txt氏名控")), u("一郎"));
    QCOMPARE(run->text(0, u("txt但書")), u("但し、品代として"));
    QCOMPARE(run->text(1, u("txt氏名")), QString());
    QCOMPARE(run->text(1, u("txt領収額")), WideBlank);
}

// A printer's correction moves and scales every text of its page by exactly that, from the
// page's top-left corner; without one the page is as drawn.
void TestReport::printerCorrectionMovesEveryControl()
{
    QTemporaryDir dir;
    auto printed = [&](const QString& name, const PrinterCalibration& correction) {
        const auto run = build(u("A4 x 4"), members(4)); // a run printed again would carry a mark
        QPrinter printer(QPrinter::HighResolution);
        printer.setPrinterName(u("事務所の複合機"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(name));
        return ReportOutput::print(*run, printer, nullptr, nullptr, correction) ? pdfWords(printer.outputFileName())
                                                                                 : QList<PdfWord>();
    };
    // Words by text, in reading order: the same texts pair up between the two files.
    auto byText = [](QList<PdfWord> words) {
        std::sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
            return std::tuple(a.text, a.box.top(), a.box.left()) < std::tuple(b.text, b.box.top(), b.box.left());
        });
        QMultiHash<QString, QRectF> boxes;
        for (const PdfWord& w : words)
            boxes.insert(w.text, w.box);
        return boxes;
    };
    const QMultiHash<QString, QRectF> plain = byText(printed(u("plain.pdf"), {}));
    const QMultiHash<QString, QRectF> moved = byText(printed(u("moved.pdf"), {15, -20, 980}));
    constexpr double PointsPerMm = 72 / 25.4;
    int compared = 0;
    for (const QString& text : plain.uniqueKeys()) {
        const QList<QRectF> was = plain.values(text);
        const QList<QRectF> is = moved.values(text);
        if (was.size() != is.size())
            continue; // a text the reader split otherwise at the other size
        for (qsizetype i = 0; i < was.size(); ++i, ++compared) {
            const QPointF expected(was.at(i).left() * 0.98 + 1.5 * PointsPerMm,
                                   was.at(i).top() * 0.98 - 2.0 * PointsPerMm);
            QVERIFY2(QLineF(is.at(i).topLeft(), expected).length() < 0.2 * PointsPerMm &&
                         qAbs(is.at(i).width() - was.at(i).width() * 0.98) < 0.2 * PointsPerMm,
                     qPrintable(text));
        }
    }
    QVERIFY(compared > 40);
}

void TestReport::printerGetsChosenPages()
{
    Access自社情報(u("領収証番号"), u("Set"), 40);
    const auto run = build(u("A4 x 4"), members(9));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(u("printed.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    QVERIFY(ReportOutput::print(*run, printer));
    QStringList texts;
    for (const PdfWord& w : pdfWords(printer.outputFileName()))
        texts.append(w.text);
    QVERIFY(texts.contains(u("会員05")));
    QVERIFY(texts.contains(u("00048")));
    QVERIFY(!texts.contains(u("会員04")));
    QVERIFY(!texts.contains(u("会員09")));
    // Only the receipts on the page that went out are issued: the counter stops at its last.
    QCOMPARE(storedLastNumber().toLongLong(), 48);

    // Copies asked of a printer that cannot make them are printed one after the other.
    QPrinter copies(QPrinter::HighResolution);
    copies.setOutputFormat(QPrinter::PdfFormat);
    copies.setOutputFileName(dir.filePath(u("copies.pdf")));
    copies.setCopyCount(2);
    copies.setCollateCopies(true);
    copies.setPrintRange(QPrinter::PageRange);
    copies.setFromTo(2, 3);
    QVERIFY(ReportOutput::print(*run, copies));
    QStringList names;
    for (const PdfWord& w : pdfWords(copies.outputFileName()))
        if (w.text.startsWith(u("会員")))
            names.append(w.text);
    const QStringList oneCopy{u("会員05"), u("会員06"), u("会員07"), u("会員08"), u("会員09")};
    QVERIFY(!copies.supportsMultipleCopies());
    QCOMPARE(names, oneCopy + oneCopy);
}

void TestReport::pdfReadBack_data()
{
    QTest::addColumn<QString>("paperType");
    for (const QString& name : ReceiptLayouts::names()) {
        static const QHash<QString, QString> paper = {
            {u("Rpt領収証A44A"), u("A4 x 4")},     {u("Rpt領収証A44B"), u("A4 x 4 控付")},
            {u("Rpt領収証A44C"), u("A4 x 4 T2")},  {u("Rpt領収証A44D"), u("A4 x 4 T3")},
            {u("Rpt領収証A44E"), u("A4 x 4 T4")},  {u("Rpt領収証A48A"), u("A4 x 8")},
            {u("Rpt領収証A48D"), u("A4 x 8 T3")},  {u("Rpt領収証A48E"), u("A4 x 8 T4")}};
        QTest::newRow(qPrintable(name)) << paper.value(name);
    }
}

void TestReport::taxTextsReadBack_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<ConsumptionTax::TaxClass>("taxClass");
    QTest::addColumn<QList<PrintRow>>("rows");
    QTest::addColumn<QStringList>("texts"); // in drawing order, blanks left out
    QTest::addColumn<bool>("stamped");      // the 収入印紙 box where the layout has room
    for (const ReceiptPaper& paper : ReceiptLayouts::papers()) {
        const QString name = paper.layoutName.mid(6);
        QTest::newRow(qPrintable(name + u(" 10%")))
            << paper.name << ConsumptionTax::TaxClass::Standard
            << QList<PrintRow>{{u("山田 太郎"), qint64(11'990), {}}, {u("佐藤 花子"), qint64(55'000), {}}}
            << QStringList{u("登録番号T7000012050002"), u("（内消費税等10%¥1,090）"), u("（内消費税等10%¥5,000）")}
            << true;
        QTest::newRow(qPrintable(name + u(" 8%")))
            << paper.name << ConsumptionTax::TaxClass::Reduced
            << QList<PrintRow>{{u("山田 太郎"), qint64(11'988), {}}, {u("佐藤 花子"), qint64(53'998), {}}}
            << QStringList{u("登録番号T7000012050002"), u("※軽減税率対象（内消費税等8%¥888）")} << false;
        QTest::newRow(qPrintable(name + u(" exempt")))
            << paper.name << ConsumptionTax::TaxClass::Exempt << QList<PrintRow>{{u("山田 太郎"), qint64(50'000), {}}}
            << QStringList{u("（非課税）")} << true;
        QTest::newRow(qPrintable(name + u(" blank form")))
            << paper.name << ConsumptionTax::TaxClass::None << QList<PrintRow>{{}}
            << QStringList{u("登録番号T7000012050002"), u("（内消費税等%¥）")} << false;
    }
}

// A qualified issuer's receipts read back from the PDF with the registration number, the tax
// line and, where a stamp is due and the layout has room, the 収入印紙 box.
void TestReport::taxTextsReadBack()
{
    QFETCH(QString, paperType);
    QFETCH(ConsumptionTax::TaxClass, taxClass);
    QFETCH(QList<PrintRow>, rows);
    QFETCH(QStringList, texts);
    QFETCH(bool, stamped);
    QTemporaryDir dir;
    const QString path = dir.filePath(u("tax.pdf"));
    request_.Issuer = IssuerKind::Qualified;
    request_.RegistrationNumber = u("T7000012050002");
    request_.TaxClass = taxClass;
    if (rows.first().領収額.isNull())
        request_.PrintNumberFlag = false; // a blank form
    const auto run = build(paperType, rows);
    QVERIFY(ReceiptRun::writePdf(*run, path));
    const QString text = pdfText(path, "-raw").remove(QRegularExpression(u("[\\s　]")));
    for (const QString& expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + u(" missing in ") + text));
    const bool room = TaxMarks::placesFor(run->layout().name).stamp.has_value();
    QCOMPARE(text.count(u("収入印紙")), stamped && room ? 1 : 0);
}

void TestReport::pdfReadBack()
{
    QFETCH(QString, paperType);
    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("LEDRIUM_KEEP_PDF");
    const QString path = (keep.isEmpty() ? dir.path() : keep) + u("/") +
                         ReceiptLayouts::forPaperType(paperType).name + u(".pdf");
    QList<PrintRow> rows = members(9);
    rows[0] = {u("山田 太郎"), 1500, u("年会費として")};
    const auto run = build(paperType, rows);
    QVERIFY(ReceiptRun::writePdf(*run, path));

    const QList<PdfWord> words = pdfWords(path);
    QVERIFY(!words.isEmpty());
    auto findWord = [&](const QString& text, int nth = 0) -> const PdfWord* {
        for (const PdfWord& w : words)
            if (w.text == text && nth-- == 0)
                return &w;
        return nullptr;
    };
    for (const QString& text : {u("山田"), u("太郎"), Yen + u("1,500-"), u("年会費として"), u("みどり町内会"),
                                u("No."), u("00041"), u("00049"), u("日付"), u("令和"), u("8年12月10日"),
                                u("様"), u("会員09")})
        QVERIFY2(findWord(text), qPrintable(text + u(" missing")));

    // Left edges and tops where the layout puts them: margin + cell offset + box.
    const double twipsPerMm = 1440 / 25.4;
    auto checkAt = [&](const QString& word, int nth, const QString& control, int receipt) {
        const PageItem* item = nullptr;
        for (int page = 0; page < run->pageCount() && !item; ++page) {
            const ReportPage p = run->page(page);
            if (const PageItem* found = p.find(control, receipt)) {
                static PageItem copy;
                copy = *found;
                item = &copy;
            }
        }
        QVERIFY(item);
        const PdfWord* w = findWord(word, nth);
        QVERIFY2(w, qPrintable(word));
        const double leftMm = w->box.left() * 20 / twipsPerMm;
        const double topMm = w->box.top() * 20 / twipsPerMm;
        QVERIFY2(qAbs(leftMm - item->box.left() / twipsPerMm) <= 0.2,
                 qPrintable(u("%1 left %2 mm, expected %3").arg(word).arg(leftMm).arg(item->box.left() / twipsPerMm)));
        QVERIFY2(qAbs(topMm - item->box.top() / twipsPerMm) <= 0.2,
                 qPrintable(u("%1 top %2 mm, expected %3").arg(word).arg(topMm).arg(item->box.top() / twipsPerMm)));
    };
    checkAt(u("山田"), 0, u("txt氏名"), 0);
    checkAt(u("00041"), 0, u("txtNo"), 0);
    checkAt(u("00042"), 0, u("txtNo"), 1);
    checkAt(u("日付"), 0, u("Label3"), 0);
    checkAt(u("会員03"), 0, u("txt氏名"), 2);

    // Every picture goes into the file once, however many receipts show it.
    auto imageCount = [](const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? int(f.readAll().count("/Subtype /Image")) : -1;
    };
    const QString single = dir.filePath(u("single.pdf"));
    QVERIFY(ReceiptRun::writePdf(*build(paperType, members(1)), single));
    QVERIFY(imageCount(single) > 0);
    QCOMPARE(imageCount(path), imageCount(single));

    QProcess fonts;
    fonts.start(u("pdffonts"), {path});
    QVERIFY(fonts.waitForFinished(30000));
    const QString table = QString::fromUtf8(fonts.readAllStandardOutput());
    // Embedded as a subset, named with the subset tag of its descriptor, with a text layer.
    static const QRegularExpression embedded(u(R"(\b[A-Z]{6}\+IPAPGothic\s.*\byes\s+yes\s+yes\b)"));
    QVERIFY2(embedded.match(table).hasMatch(), qPrintable(table));
}

void TestReport::overlongTextsStayInTheirCells_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<QVariant>("proviso");
    QTest::addColumn<QString>("company");
    QTest::addColumn<QString>("info");
    const QString longName = u("寿限無寿限無五劫の擦り切れ海砂利水魚の水行末雲来末風来末食う寝る処に住む処");
    const QString longInfo = u("〒100-0001 東京都千代田区千代田一丁目一番一号 某ビル十二階\n電話 03-1234-5678 "
                               "FAX 03-1234-5679\n振込先 みどり銀行 本店 普通 1234567\n担当 山田");
    for (const char* paper : {"A4 x 4", "A4 x 4 控付", "A4 x 4 T3", "A4 x 8", "A4 x 8 T4"}) {
        QTest::newRow(qPrintable(u(paper) + u(": long texts")))
            << u(paper) << QVariant(longName + longName) << QVariant(Q_INT64_C(9999999999))
            << QVariant(longName + longName) << longName << longInfo;
        QTest::newRow(qPrintable(u(paper) + u(": emoji and rare kanji")))
            << u(paper) << QVariant(u("🎉𠮷野 髙橋 﨑🇯🇵👨‍👩‍👧")) << QVariant(-9999999999LL)
            << QVariant(u("🍣寿司代として𩸽")) << u("😀会") << u("👍");
        QTest::newRow(qPrintable(u(paper) + u(": a hundred thousand characters")))
            << u(paper) << QVariant(QString(100000, QChar(0x3042))) << QVariant(1)
            << QVariant(QString(100000, QLatin1Char('x'))) << QString(100000, QChar(0x4F1A))
            << QString(100000, QLatin1Char('\n'));
        QTest::newRow(qPrintable(u(paper) + u(": one word without breaks")))
            << u(paper) << QVariant(QString(300, QLatin1Char('W'))) << QVariant(1)
            << QVariant(QString(500, QLatin1Char('m'))) << QString(200, QLatin1Char('M'))
            << QString(400, QLatin1Char('x'));
    }
}

void TestReport::overlongTextsStayInTheirCells()
{
    QFETCH(QString, paperType);
    QFETCH(QVariant, name);
    QFETCH(QVariant, amount);
    QFETCH(QVariant, proviso);
    QFETCH(QString, company);
    QFETCH(QString, info);
    request_.CompanyName = company;
    request_.CompanyInfo = info;
    const auto run = build(paperType, {{name, amount, proviso}, {name, amount, proviso}});
    const ReportPage page = run->page(0);
    PagePainter painter;
    for (const PageItem& item : page.items) {
        if (!item.control->isText() || item.text.trimmed().isEmpty())
            continue;
        // Draw the item alone on a sheet larger than its cell, then find its ink.
        const QRect area = item.cell.adjusted(-3000, -3000, 3000, 3000);
        const qreal scale = 0.1; // pixels per twip
        QImage image(QSize(int(area.width() * scale), int(area.height() * scale)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(scale, scale);
        p.translate(-area.topLeft());
        painter.paint(p, ReportPage{1, {item}});
        p.end();
        QRect ink;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(line[x]) > 40)
                    ink |= QRect(x, y, 1, 1);
        }
        const QRect drawn(area.topLeft() + QPoint(int(ink.left() / scale), int(ink.top() / scale)),
                          QSize(int(ink.width() / scale), int(ink.height() / scale)));
        const QString where = item.name() + u(" drew ") + QString::number(drawn.left()) + u(",") +
                              QString::number(drawn.top()) + u(" ") + QString::number(drawn.width()) + u("x") +
                              QString::number(drawn.height()) + u(" in cell ") + QString::number(item.cell.left()) +
                              u(",") + QString::number(item.cell.top());
        QVERIFY2(!ink.isEmpty(), qPrintable(where));
        // Inside its cell, and not wider than its own box.
        QVERIFY2(item.cell.adjusted(-10, -10, 10, 10).contains(drawn), qPrintable(where));
        QVERIFY2(drawn.left() >= item.box.left() - 30 && drawn.right() <= item.box.right() + 30, qPrintable(where));
    }
    QTemporaryDir dir;
    QVERIFY(ReceiptRun::writePdf(*run, dir.filePath(u("bad.pdf"))));
}

void TestReport::textFitPolicy_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // as is, shrunk, wrapped, shrunk and wrapped, cut
    QTest::newRow("short name as is") << u("txt氏名") << u("山田 太郎") << u("as is");
    QTest::newRow("name a third too long shrinks") << u("txt氏名") << u("山田山田山田山田山田山田山") << u("shrunk");
    QTest::newRow("two-line information at full size") << u("txt会情報") << u("港区一丁目\n電話 03") << u("wrapped");
    QTest::newRow("Windows line ends") << u("txt会情報") << u("港区一丁目\r\n電話 03") << u("wrapped");
    QTest::newRow("four-line information shrinks")
        << u("txt会情報") << u("港区一丁目\n電話 03-1234-5678\nFAX 03-1234-5679\n担当 山田") << u("shrunk and wrapped");
    QTest::newRow("long proviso shrinks") << u("txt但書") << u("但し、二〇二六年度の年会費および記念行事の参加費ならびに会報の送料として")
                                          << u("shrunk");
    QTest::newRow("endless word is cut") << u("txt氏名") << QString(300, QLatin1Char('W')) << u("cut");
    QTest::newRow("long Latin address wraps between words")
        << u("txt会情報") << u("Midori Neighbourhood Association, 1-1-1 Chiyoda, Chiyoda-ku, Tokyo 100-0001 Japan")
        << u("wrapped");
}

void TestReport::textFitPolicy()
{
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const ReportLayout layout = ReceiptLayouts::forPaperType(u("A4 x 4"));
    const ReportControl* c = layout.control(control);
    QVERIFY(c);
    PageItem item;
    item.control = c;
    item.box = c->box;
    item.cell = QRect(0, 0, layout.cellWidth, layout.cellHeight);
    item.text = text;
    PagePainter painter;
    const PagePainter::TextFit fit = painter.fit(item);
    const int base = int(c->fontPt * 20);
    const bool wrapped = fit.lines || (fit.flags & Qt::TextWordWrap);
    const bool smaller = fit.pixelSize < base;
    const QString got = fit.clipped ? u("cut")
                        : wrapped   ? (smaller ? u("shrunk and wrapped") : u("wrapped"))
                                    : (smaller ? u("shrunk") : u("as is"));
    QCOMPARE(got, expected);
    QVERIFY(fit.pixelSize >= base * 0.45 - 1);
    // Words are kept whole where a wrap between words is enough.
    if (wrapped && text.contains(QLatin1Char(' ')))
        QVERIFY(!(fit.flags & Qt::TextWrapAnywhere));
    if (fit.clipped)
        return;
    // What is not cut must fit its box whole at the chosen size.
    const QRectF needed = QFontMetricsF(reportFont(fit.pixelSize))
                              .boundingRect(QRectF(0, 0, item.box.width(), 1e6), fit.flags & ~Qt::AlignVertical_Mask,
                                            text);
    QVERIFY2(needed.width() <= item.box.width() + 1, qPrintable(QString::number(needed.width())));
    if (wrapped)
        QVERIFY(needed.height() <= item.box.height());
}

void TestReport::textWidthsAgreeWithQt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("name") << u("山田 太郎");
    QTest::newRow("amount with blanks") << IS + Yen + u("1,500-") + IS;
    QTest::newRow("blank amount") << WideBlank;
    QTest::newRow("number") << u("00041");
    QTest::newRow("era date") << u("令和 8年12月10日");
    QTest::newRow("full-width letters") << u("ＡＢＣ（株）ｶﾀｶﾅ");
    QTest::newRow("rare kanji via another font") << u("𠮷野家");
    QTest::newRow("combining mark") << u("e\u0301te\u0301");
}

void TestReport::textWidthsAgreeWithQt()
{
    // Centred texts are placed by the width the painter works out; it must be Qt's own.
    QFETCH(QString, text);
    const ReportLayout layout = ReceiptLayouts::forPaperType(u("A4 x 4"));
    PageItem item;
    item.control = layout.control(u("txt但書"));
    item.box = item.control->box;
    item.cell = QRect(0, 0, layout.cellWidth, layout.cellHeight);
    item.text = text;
    PagePainter painter;
    const PagePainter::TextFit fit = painter.fit(item);
    QVERIFY(fit.advance >= 0);
    const qreal expected = QFontMetricsF(reportFont(fit.pixelSize)).horizontalAdvance(text);
    QVERIFY2(qAbs(fit.advance - expected) <= 1.0, qPrintable(u("%1 vs %2").arg(fit.advance).arg(expected)));
}

void TestReport::fixedTextsPrintAtTableSize_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<bool>("printAmount");
    QTest::addColumn<bool>("printDate");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("word");      // a word of its text as pdftotext splits it
    QTest::addColumn<QString>("reference"); // a label of the same receipt part that always fits
    QTest::newRow("4-up wide blank amount") << u("A4 x 4") << QVariant() << true << true << u("txt領収額") << Yen
                                            << u("Label3");
    QTest::newRow("4-up amount switched off") << u("A4 x 4 T2") << QVariant(1500) << false << true << u("txt領収額")
                                              << Yen << u("Label3");
    QTest::newRow("8-up wide blank amount") << u("A4 x 8 T4") << QVariant() << false << true << u("txt領収額") << Yen
                                            << u("Label3");
    QTest::newRow("8-up narrow blank amount") << u("A4 x 8") << QVariant() << true << true << u("txt領収額") << Yen
                                              << u("Label3");
    QTest::newRow("¥12,000-") << u("A4 x 4") << QVariant(12000) << true << true << u("txt領収額")
                              << Yen + u("12,000-") << u("Label3");
    QTest::newRow("¥3,000-") << u("A4 x 4 T3") << QVariant(3000) << true << true << u("txt領収額")
                             << Yen + u("3,000-") << u("Label3");
    QTest::newRow("counterfoil amount blank") << u("A4 x 4 控付") << QVariant() << true << true << u("txt領収額控")
                                              << Yen << u("Label7");
    for (const char* paper : {"A4 x 4", "A4 x 4 T2", "A4 x 4 T3", "A4 x 4 T4", "A4 x 8 T3", "A4 x 8 T4"}) {
        QTest::newRow(qPrintable(u(paper) + u(": era date"))) << u(paper) << QVariant(1500) << true << true
                                                               << u("txt日付") << u("08年12月10日") << u("Label3");
        QTest::newRow(qPrintable(u(paper) + u(": blank date"))) << u(paper) << QVariant(1500) << true << false
                                                                 << u("txt日付") << u("日") << u("Label3");
    }
    QTest::newRow("counterfoil era date") << u("A4 x 4 控付") << QVariant(1500) << true << true << u("txt日付控")
                                          << u("08年12月10日") << u("Label5");
    QTest::newRow("counterfoil blank date") << u("A4 x 4 控付") << QVariant(1500) << true << false << u("txt日付控")
                                            << u("日") << u("Label5");
}

void TestReport::fixedTextsPrintAtTableSize()
{
    // The receipt's own blank patterns, dates and amounts print at the size of their table,
    // as the labels beside them do: blanks after the last character do not count.
    QFETCH(QString, paperType);
    QFETCH(QVariant, amount);
    QFETCH(bool, printAmount);
    QFETCH(bool, printDate);
    QFETCH(QString, control);
    QFETCH(QString, word);
    QFETCH(QString, reference);
    PrintRequest& s = request_;
    s.ReceiptDate = u("令和 08年12月10日");
    s.PrintAmountFlag = printAmount;
    s.PrintDateFlag = printDate;
    const auto run = build(paperType, {{u("佐藤"), amount, u("会費として")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(u("sizes.pdf"));
    QVERIFY(ReceiptRun::writePdf(*run, path));
    const ReportPage page = run->page(0);
    const PageItem* item = page.find(control, 0);
    const PageItem* label = page.find(reference, 0);
    QVERIFY(item && label);
    const QList<PdfWord> words = pdfWords(path);
    const PdfWord* drawn = wordNear(words, word, item->box);
    const PdfWord* beside = wordNear(words, label->text, label->box);
    QVERIFY2(drawn, qPrintable(word + u(" missing")));
    QVERIFY(beside);
    // Heights of words in one font go with their font sizes.
    const qreal printedPt = label->control->fontPt * drawn->box.height() / beside->box.height();
    QVERIFY2(qAbs(printedPt - item->control->fontPt) <= 0.1,
             qPrintable(u("%1 printed at %2 pt, table size %3 pt")
                            .arg(item->text)
                            .arg(printedPt)
                            .arg(item->control->fontPt)));
}

void TestReport::textLayerNamesEveryDrawnCharacter_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QVariant>("name");
    QTest::addColumn<QVariant>("amount");
    QTest::newRow("4-up, name with a blank") << u("A4 x 4") << QVariant(u("山田 太郎")) << QVariant(1500);
    QTest::newRow("8-up, narrow blank amount") << u("A4 x 8") << QVariant(u("佐藤")) << QVariant();
    QTest::newRow("counterfoil, Latin name") << u("A4 x 4 控付") << QVariant(u("Ann Lee")) << QVariant(12000);
}

void TestReport::textLayerNamesEveryDrawnCharacter()
{
    // Copying text from the PDF gives back what was drawn: the text layer names each drawn
    // character as itself, a blank as U+0020 (not TAB, which shares its glyph in the font).
    QFETCH(QString, paperType);
    QFETCH(QVariant, name);
    QFETCH(QVariant, amount);
    request_.ReceiptDate = u("令和 08年12月10日");
    const auto run = build(paperType, {{name, amount, u("年会費として")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(u("text.pdf"));
    // What the page shows as it goes out (afterwards its receipts carry the reprint mark).
    QSet<char32_t> drawn;
    for (const PageItem& item : run->page(0).items)
        if (item.control->isText())
            for (char32_t c : item.text.toUcs4())
                if (c != U'\n')
                    drawn.insert(c);
    QVERIFY(ReceiptRun::writePdf(*run, path));
    QSet<char32_t> named = textLayerCharacters(path);
    auto hex = [](char32_t c) { return QStringLiteral("%1").arg(uint(c), 4, 16, QLatin1Char('0')); };
    QVERIFY2(!named.isEmpty(), "no text layer read");
    named.remove(0); // the font's missing-glyph box
    QVERIFY(drawn.contains(U' '));
    for (char32_t c : named)
        QVERIFY2(drawn.contains(c), qPrintable(u("the text layer names U+%1, which was never drawn").arg(hex(c))));
    for (char32_t c : drawn)
        QVERIFY2(named.contains(c), qPrintable(u("U+%1 was drawn but the text layer never names it").arg(hex(c))));
}

void TestReport::centredAmountKeepsItsCentre_data()
{
    QTest::addColumn<QVariant>("amount");
    QTest::newRow("blank amount, wider than its box") << QVariant();
    QTest::newRow("amount") << QVariant(1500);
    QTest::newRow("long amount") << QVariant(Q_INT64_C(123456789));
}

void TestReport::centredAmountKeepsItsCentre()
{
    // The counterfoil's centred amount is centred as a whole, blanks included: blanks that
    // overhang the box do so equally at both edges. The underline runs under the whole
    // text, as far as the box.
    QFETCH(QVariant, amount);
    const auto run = build(u("A4 x 4 控付"), {{u("佐藤"), amount, u("会費として")}});
    const ReportPage page = run->page(0);
    const PageItem* item = page.find(u("txt領収額控"), 0);
    QVERIFY(item);
    const QString text = item->text;
    QVERIFY(text.contains(Yen));
    PagePainter painter;
    const QFontMetricsF m(reportFont(painter.fit(*item).pixelSize));
    const qreal textLeft = item->box.left() + (item->box.width() - m.horizontalAdvance(text)) / 2;
    const qreal yenLeft = textLeft + m.horizontalAdvance(text.left(text.indexOf(Yen)));

    QTemporaryDir dir;
    const QString path = dir.filePath(u("foil.pdf"));
    QVERIFY(ReceiptRun::writePdf(*run, path));
    const PdfWord* yen = nullptr;
    for (const PdfWord& w : pdfWords(path))
        if (w.text.startsWith(Yen) && item->box.adjusted(-500, -200, 500, 200).contains((w.box.center() * 20).toPoint()))
            yen = &w;
    QVERIFY2(yen, "no yen sign in the counterfoil");
    QVERIFY2(qAbs(yen->box.left() * 20 - yenLeft) <= 2,
             qPrintable(u("yen sign at %1 twips, centred text puts it at %2").arg(yen->box.left() * 20).arg(yenLeft)));

    // The underline is the lowest ink of the item drawn alone.
    const QRect area = item->box.adjusted(-1000, -200, 1000, 200);
    const qreal scale = 0.1; // pixels per twip
    QImage image(QSize(int(area.width() * scale), int(area.height() * scale)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.scale(scale, scale);
    p.translate(-area.topLeft());
    painter.paint(p, ReportPage{1, {*item}});
    p.end();
    int from = -1;
    int to = -1;
    for (int y = image.height() - 1; y >= 0 && from < 0; --y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 40) {
                from = from < 0 ? x : from;
                to = x;
            }
    QVERIFY(from >= 0);
    const qreal lineFrom = area.left() + from / scale;
    const qreal lineTo = area.left() + (to + 1) / scale;
    const qreal expectedFrom = std::max<qreal>(textLeft, item->box.left());
    const qreal expectedTo = std::min<qreal>(textLeft + m.horizontalAdvance(text), item->box.left() + item->box.width());
    QVERIFY2(qAbs(lineFrom - expectedFrom) <= 20 && qAbs(lineTo - expectedTo) <= 20,
             qPrintable(u("underline %1..%2, expected %3..%4").arg(lineFrom).arg(lineTo).arg(expectedFrom).arg(expectedTo)));
}

void TestReport::namesBreakBetweenWords_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("lines"); // empty: one line
    QTest::newRow("fits") << u("宮本　幸子") << QStringList();
    QTest::newRow("breaks at the ideographic space")
        << u("株式会社ミヤモト　宮本　幸子") << QStringList({u("株式会社ミヤモト"), u("宮本　幸子")});
    QTest::newRow("breaks at a space") << u("ミヤモト商事株式会社 宮本幸子")
                                       << QStringList({u("ミヤモト商事株式会社"), u("宮本幸子")});
    QTest::newRow("long first word shrinks rather than break")
        << u("特定非営利活動法人みどり会　宮本　幸子") << QStringList({u("特定非営利活動法人みどり会"), u("宮本　幸子")});
    QTest::newRow("Latin words") << u("Margaret Anne Whitfield-Yamamoto")
                                 << QStringList({u("Margaret Anne"), u("Whitfield-Yamamoto")});
}

void TestReport::namesBreakBetweenWords()
{
    // A name too long for the counterfoil breaks where it has a blank, never inside a word;
    // a word too long for a line makes the name smaller.
    QFETCH(QString, name);
    QFETCH(QStringList, lines);
    const auto run = build(u("A4 x 4 控付"), {{name, 1500, u("会費として")}});
    const ReportPage page = run->page(0);
    const PageItem* item = page.find(u("txt氏名控"), 0);
    QVERIFY(item);
    PagePainter painter;
    const PagePainter::TextFit fit = painter.fit(*item);
    QVERIFY(!fit.clipped);
    QCOMPARE(fit.lines ? fit.lineTexts : QStringList(), lines);
    const QFontMetricsF m(reportFont(fit.pixelSize));
    for (const QString& line : lines)
        QVERIFY2(m.horizontalAdvance(line) <= item->box.width(), qPrintable(line));
    QVERIFY(lines.size() * m.lineSpacing() <= item->box.height());

    // The PDF shows those lines in the box, top to bottom (its words split at the blanks).
    QTemporaryDir dir;
    const QString path = dir.filePath(u("names.pdf"));
    QVERIFY(ReceiptRun::writePdf(*run, path));
    QMap<int, QString> shown; // line top in points -> its words
    for (const PdfWord& w : pdfWords(path))
        if (item->box.contains((w.box.center() * 20).toPoint()))
            shown[qRound(w.box.top())] += w.text;
    QStringList expected = lines.isEmpty() ? QStringList{name} : lines;
    for (QString& line : expected)
        line.remove(QChar(0x3000)).remove(QLatin1Char(' '));
    QCOMPARE(shown.values(), expected);
}

void TestReport::sharedGlyphsCopyAsDrawn_data()
{
    // Every pair of visible characters that the report font draws with one glyph, as its own
    // character map says (～ U+FF5E and 〜 U+301C, ― U+2015 and — U+2014, ...).
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const QRawFont font = QRawFont::fromFont(reportFont(240));
    QMap<quint32, QString> byGlyph;
    for (char16_t c = 0x21; c < 0xFFFF; ++c) {
        const QChar ch(c);
        if (ch.isSurrogate() || ch.isSpace() || !ch.isPrint() || ch.isMark() || ch.category() == QChar::Other_Format)
            continue;
        quint32 glyph = 0;
        int count = 1;
        if (font.glyphIndexesForChars(&ch, 1, &glyph, &count) && glyph != 0)
            byGlyph[glyph].append(ch);
    }
    auto name = [](QChar c) { return u("U+%1 %2").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper().arg(c); };
    for (const QString& sharing : std::as_const(byGlyph))
        for (qsizetype i = 1; i < sharing.size(); ++i)
            QTest::newRow(qPrintable(name(sharing.at(0)) + u(" / ") + name(sharing.at(i))))
                << QString(sharing.at(0)) << QString(sharing.at(i));
}

void TestReport::sharedGlyphsCopyAsDrawn()
{
    // A reader copies each character of the PDF as it was drawn, whichever character the
    // font draws with the same glyph: single-line texts, texts broken at their blanks and
    // texts of several lines.
    QFETCH(QString, first);
    QFETCH(QString, second);
    const QString name = u("会費") + second + u("特別") + first + u("ｻﾝ") + second;
    const QString longName = u("株式会社ミヤモト") + second + u("　宮本") + first + u("　幸子") + second;
    request_.CompanyInfo = u("港区") + second + u("一丁目\n電話") + first + second;
    const auto run = build(u("A4 x 4 控付"), {{name, 1500, u("年会費") + second + u("として")}, {longName, 1500, u("会費")}});
    QTemporaryDir dir;
    const QString path = dir.filePath(u("shared.pdf"));
    QVERIFY(ReceiptRun::writePdf(*run, path));
    QStringList copied = pdfText(path).split(QLatin1Char('\n'));
    for (QString& line : copied)
        line.remove(QLatin1Char(' ')).remove(QChar(0x3000));
    for (const QString& expected : {name, u("年会費") + second + u("として"), u("港区") + second + u("一丁目"),
                                    u("電話") + first + second, u("株式会社ミヤモト") + second,
                                    u("宮本") + first + u("幸子") + second})
        QVERIFY2(std::any_of(copied.cbegin(), copied.cend(), [&](const QString& line) { return line.contains(expected); }),
                 qPrintable(expected + u(" not in\n") + copied.join(QLatin1Char('\n'))));
}

namespace {
// What a reader copies from a PDF in drawing order, without blanks and line breaks.
QString copiedText(const QString& path)
{
    static const QRegularExpression blanks(u(R"([\s\x{3000}])"));
    return pdfText(path, "-raw").remove(blanks);
}

QString withoutBlanks(QString text)
{
    static const QRegularExpression blanks(u(R"([\s\x{3000}])"));
    return text.remove(blanks);
}
} // namespace

void TestReport::markedGlyphsCopyAsDrawnInEveryFit_data()
{
    // Characters the text layer would name as another: ～ U+FF5E and ― U+2015 share a glyph
    // with a lower code point; 𩿗 U+29FD7 shares one with 𩿎 U+29FCE; a character beyond
    // U+FFFF is never named by the writer's own map.
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fit");    // one line, broken at blanks, wrapped, cut
    QTest::addColumn<QString>("copied"); // what a reader copies of it
    const QString marked = u("～―𩿗𩿎");
    const QString wrapped = u("寿限無") + marked + u("寿限無五劫の擦り切れ海砂利水魚の水行末雲来末風来末食う寝る処に住む") + marked;
    QTest::newRow("one line") << u("txt氏名") << u("髙橋𩿗𩿎 ～―") << u("one line") << u("髙橋𩿗𩿎～―");
    QTest::newRow("broken at blanks") << u("txt氏名") << u("株式会社ミヤモト𩿗商事ホールディングス　営業部　宮本𩿎幸子～様方")
                                      << u("broken at blanks") << u("株式会社ミヤモト𩿗商事ホールディングス営業部宮本𩿎幸子～様方");
    QTest::newRow("lines of their own") << u("txt会情報") << u("港区𩿗一丁目\n電話～―𩿎") << u("broken at blanks")
                                        << u("港区𩿗一丁目電話～―𩿎");
    QTest::newRow("wrapped, no blank") << u("txt氏名") << wrapped << u("wrapped") << wrapped;
    QTest::newRow("cut at the smallest size") << u("txt氏名") << marked + QString(300, QChar(0x5BFF)) << u("cut")
                                              << marked + QString(10, QChar(0x5BFF));
    QTest::newRow("several lines cut") << u("txt会情報") << (marked + u("\n")).repeated(30) << u("cut")
                                       << marked + marked;
}

void TestReport::markedGlyphsCopyAsDrawnInEveryFit()
{
    // However a text is fitted into its box, a reader copies each character as it was drawn.
    QFETCH(QString, control);
    QFETCH(QString, text);
    QFETCH(QString, fit);
    QFETCH(QString, copied);
    const QRawFont font = QRawFont::fromFont(reportFont(240));
    for (char32_t c : copied.toUcs4())
        QVERIFY2(font.supportsCharacter(c), "the report font lacks a character of this test");
    if (control == u("txt会情報"))
        request_.CompanyInfo = text;
    const auto run = build(u("A4 x 4"), {{control == u("txt氏名") ? QVariant(text) : QVariant(u("山田")), 1500,
                                          u("会費")}});
    const ReportPage page = run->page(0);
    const PageItem* item = page.find(control, 0);
    QVERIFY(item);
    PagePainter painter;
    const PagePainter::TextFit how = painter.fit(*item);
    const QString got = how.clipped               ? u("cut")
                        : how.lines               ? u("broken at blanks")
                        : how.flags & Qt::TextWordWrap ? u("wrapped")
                                                       : u("one line");
    QCOMPARE(got, fit);
    QTemporaryDir dir;
    const QString path = dir.filePath(u("fits.pdf"));
    QVERIFY(ReceiptRun::writePdf(*run, path));
    const QString read = copiedText(path);
    QVERIFY2(read.contains(withoutBlanks(copied)), qPrintable(copied + u(" not in\n") + read));
}

void TestReport::everyCharacterNamedAsAnotherCopiesAsDrawn()
{
    // Every character of the report font that the writer's own map names as another (or
    // not at all) in one document, far more than a handful: each is copied as drawn.
    const QRawFont font = QRawFont::fromFont(reportFont(240));
    QMap<quint32, char32_t> lowest;
    QList<char32_t> misnamed;
    for (char32_t c = 0x21; c < 0x30000; ++c) {
        if (QChar::isSurrogate(c) || QChar::isSpace(c) || !QChar::isPrint(c) || QChar::isMark(c) ||
            QChar::category(c) == QChar::Other_Format)
            continue;
        const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&c, 1));
        if (glyphs.size() != 1 || glyphs.first() == 0)
            continue;
        if (c > 0xFFFF || lowest.contains(glyphs.first()))
            misnamed.append(c);
        else
            lowest.insert(glyphs.first(), c);
    }
    QVERIFY2(misnamed.size() > 200, qPrintable(QString::number(misnamed.size())));
    QList<PrintRow> rows;
    QStringList names;
    for (qsizetype i = 0; i < misnamed.size(); i += 8) {
        const QList<char32_t> part = misnamed.mid(i, 8);
        names.append(u("会員") + QString::fromUcs4(part.constData(), part.size()));
        rows.append({names.last(), 1000, u("会費")});
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(u("many.pdf"));
    QVERIFY(ReceiptRun::writePdf(*build(u("A4 x 8"), rows), path));
    const QString copied = copiedText(path);
    for (const QString& name : std::as_const(names))
        QVERIFY2(copied.contains(name), qPrintable(name + u(" not copied as drawn")));
}

void TestReport::everyMarkReadsBackAsItsCharacter_data()
{
    // Marks at either end of the range, on small and very large text, where the writer puts
    // the fewest digits after the point.
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("mark");
    QTest::newRow("first mark") << 240 << 1;
    QTest::newRow("mark 128") << 240 << 128;
    QTest::newRow("last mark") << 240 << TextSetter::MostMarkedCharacters;
    QTest::newRow("small text") << 90 << 777;
    QTest::newRow("very large text") << 1200 << TextSetter::MostMarkedCharacters - 1;
}

void TestReport::everyMarkReadsBackAsItsCharacter()
{
    QFETCH(int, pixelSize);
    QFETCH(int, mark);
    const QRawFont plain = QRawFont::fromFont(reportFont(pixelSize));
    QRawFont font = plain;
    font.setPixelSize(pixelSize + qreal(mark) / PdfTextLayer::MarkSteps);
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(plain.glyphIndexesForString(u("～")));
    run.setPositions({QPointF(0, plain.ascent())});
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&drawing);
        writer.setResolution(1440);
        QPainter painter(&writer);
        painter.drawGlyphRun(QPointF(1440, 1440), run);
    }
    QList<char32_t> marked(TextSetter::MostMarkedCharacters, U'〜');
    marked[mark - 1] = U'～';
    QTemporaryDir dir;
    QFile file(dir.filePath(u("mark.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    drawing.close();
    QVERIFY(drawing.open(QIODevice::ReadOnly));
    QCOMPARE(PdfRewriter::rewrite(drawing, file, marked), PdfRewriter::Result::Rewritten);
    file.close();
    QCOMPARE(copiedText(file.fileName()), u("～"));
}

// A byte sink that takes `room` bytes and refuses the rest, as a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : room_(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override
    {
        if (length > room_)
            return -1;
        room_ -= length;
        return length;
    }

private:
    qint64 room_;
};

void TestReport::pdfSharesWhatPagesRepeat_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::newRow("A4 x 4") << u("A4 x 4");
    QTest::newRow("A4 x 4 控付") << u("A4 x 4 控付");
    QTest::newRow("A4 x 8") << u("A4 x 8");
}

// Every page of a run carries the same resources, no annotations and its drawing's length in
// place; the objects are numbered 1..N, each where the table says, and a reader reads every page.
void TestReport::pdfSharesWhatPagesRepeat()
{
    QFETCH(QString, paperType);
    QTemporaryDir dir;
    const QString path = dir.filePath(u("run.pdf"));
    QVERIFY(ReceiptRun::writePdf(*build(paperType, members(24)), path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray pdf = file.readAll();
    const QString text = QString::fromLatin1(pdf);

    QSet<QString> resources;
    for (const auto& m : QRegularExpression(u(R"(/Resources (\d+) 0 R)")).globalMatch(text))
        resources.insert(m.captured(1));
    QCOMPARE(resources.size(), 1);
    QVERIFY(!pdf.contains("/Annots"));
    QVERIFY(!QRegularExpression(u(R"(/Length \d+ 0 R)")).match(text).hasMatch());

    const qsizetype table = pdf.lastIndexOf("\nxref\n") + 1;
    const auto heading = QRegularExpression(u(R"(^xref\n0 (\d+)\n)")).match(text.mid(table));
    QVERIFY(heading.hasMatch());
    const int count = heading.captured(1).toInt();
    const qsizetype entries = table + heading.capturedLength(0);
    for (int number = 1; number < count; ++number) {
        const QByteArray entry = pdf.mid(entries + number * 20, 20);
        QCOMPARE(entry.at(17), 'n');
        QVERIFY2(pdf.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(number) + " 0 obj\n"),
                 qPrintable(u("object %1").arg(number)));
    }
    QCOMPARE(text.count(QRegularExpression(u(R"((?<![0-9])\d+ 0 obj\n)"))), count - 1);

    QProcess info;
    info.start(u("pdfinfo"), {path});
    QVERIFY(info.waitForFinished());
    QCOMPARE(info.exitCode(), 0);
    QVERIFY(info.readAllStandardError().isEmpty());
    QVERIFY(pdfText(path).contains(u("会員24")));
}

// A long run drawn in parts at once, each by its own writer, reads as the same run drawn in
// one: every page in order, the same text, one page tree, and each part's font subset named
// apart from the others'.
void TestReport::partsDrawnAtOnceReadAsOneDocument()
{
    const auto run = build(u("A4 x 4"), members(600));
    QTemporaryDir dir;
    const auto written = [&](int parts) { return drawnInParts(*run, parts, dir.filePath(u("parts%1.pdf").arg(parts))); };
    const QString one = written(1);
    const QString three = written(3);
    QVERIFY(!one.isEmpty() && !three.isEmpty());
    QCOMPARE(pdfText(three, "-raw"), pdfText(one, "-raw"));
    QCOMPARE(numbersIn(three).size(), 600);
    QProcess fonts;
    fonts.start(u("pdffonts"), {three});
    QVERIFY(fonts.waitForFinished());
    QSet<QString> names;
    for (const QString& line : QString::fromUtf8(fonts.readAllStandardOutput()).split(u'\n').mid(2))
        if (!line.isEmpty())
            names.insert(line.section(u' ', 0, 0));
    QCOMPARE(names.size(), 3);
}

void TestReport::pdfRewriteRefusesWhatItCannotRead_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("result");
    QTest::newRow("cut short") << u("cut") << int(PdfRewriter::Result::NotRecognised);
    QTest::newRow("a reference to no object") << u("dangling") << int(PdfRewriter::Result::NotRecognised);
    QTest::newRow("a full disk") << u("full") << int(PdfRewriter::Result::WriteFailed);
}

// A file the rewriting cannot read as Qt writes it is reported, never passed on mangled, and a
// write the output refuses is reported as such.
void TestReport::pdfRewriteRefusesWhatItCannotRead()
{
    QFETCH(QString, fault);
    QFETCH(int, result);
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&drawing);
        QPainter painter(&writer);
        painter.drawText(QPointF(100, 100), u("領収証"));
        writer.newPage();
        painter.drawText(QPointF(100, 100), u("二枚目"));
    }
    QByteArray pdf = drawing.data();
    if (fault == u("cut"))
        pdf.truncate(pdf.size() / 2);
    if (fault == u("dangling")) // the second page's drawing named as an object the file lacks
        pdf.replace(pdf.lastIndexOf("/Contents ") + 10, 1, "9");
    QBuffer input(&pdf);
    input.open(QIODevice::ReadOnly);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    FullDevice full(1000);
    QIODevice& output = fault == u("full") ? static_cast<QIODevice&>(full) : written;
    QCOMPARE(int(PdfRewriter::rewrite(input, output, {})), result);
}

void TestReport::previewWindow()
{
    Access自社情報(u("領収証番号"), u("Set"), 40);
    const QList<PrintRow> rows = members(10000);
    ReportPreview* first = PreviewWindows::open(build(u("A4 x 4"), rows));
    request_.ReceiptNo = 10041;
    ReportPreview* second = PreviewWindows::open(build(u("A4 x 8"), rows));
    QVERIFY(QTest::qWaitForWindowExposed(first));
    QVERIFY(QTest::qWaitForWindowExposed(second));
    QCOMPARE(first->windowTitle(), u("領収証印刷"));
    QVERIFY(!first->isModal());
    QCOMPARE(first->run().pageCount(), 2500);
    QCOMPARE(second->run().pageCount(), 1250);
    // Each run numbers its own receipts from its request's first number.
    QCOMPARE(first->run().text(0, u("txtNo")), u("00041"));
    QCOMPARE(second->run().text(0, u("txtNo")), u("10041"));
    QCOMPARE(first->currentPage(), 1);
    first->findChild<QPushButton*>(u("cmd次"))->click();
    QCOMPARE(first->currentPage(), 2);
    first->findChild<QPushButton*>(u("cmd最後"))->click();
    QCOMPARE(first->currentPage(), 2500);
    first->findChild<QPushButton*>(u("cmd次"))->click();
    QCOMPARE(first->currentPage(), 2500);
    QTest::keyClick(first, Qt::Key_Home);
    QCOMPARE(first->currentPage(), 1);
    first->setZoom(100);
    first->setZoom(-1);
    first->setZoom(0);
    QStringList labels;
    for (const QLabel* label : first->findChildren<QLabel*>())
        labels.append(label->text());
    QVERIFY2(labels.contains(u("/ 2500 ページ")), qPrintable(labels.join(u("|"))));
    QPointer<ReportPreview> watch(first);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(watch.isNull());
    QVERIFY(second->isVisible());
    QVERIFY(!second->testAttribute(Qt::WA_QuitOnClose));

    // Opened over the main window, a preview is its own window and goes when the main window goes.
    auto* mainWindow = new QWidget;
    mainWindow->show();
    QPointer<ReportPreview> owned(PreviewWindows::open(build(u("A4 x 4 T4"), rows), mainWindow));
    QVERIFY(owned->isWindow());
    QVERIFY(QTest::qWaitForWindowExposed(owned));
    delete mainWindow;
    QVERIFY(owned.isNull());
    QCOMPARE(storedLastNumber().toLongLong(), 40);
}

// A run with no page keeps its empty sheet, and the sheet tells why it is empty.
void TestReport::emptyRunSaysWhy()
{
    for (const int rows : {0, 1}) {
        auto* preview = new ReportPreview(build(u("A4 x 4"), members(rows)));
        preview->show();
        QVERIFY(QTest::qWaitForWindowExposed(preview));
        QCOMPARE(preview->currentPage(), rows);
        auto* page = preview->findChild<QWidget*>(u("PreviewPage"));
        QVERIFY(page);
        // Inside the sheet, clear of its edges, a run without pages shows only the note.
        const QImage sheet = page->grab().toImage();
        const QRect inside = QRect(QPoint(), sheet.size()).adjusted(24, 24, -24, -24);
        int inked = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                inked += QColor(sheet.pixel(x, y)).lightness() < 200;
        if (rows == 0)
            QVERIFY2(inked > 200, qPrintable(QString::number(inked)));
        preview->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The preview opens centred over the window it was opened from.
void TestReport::previewOpensOverItsWindow()
{
    QWidget owner;
    owner.resize(709, 561);
    const QRect screen = owner.screen()->availableGeometry();
    owner.move(screen.center() - owner.rect().center() + QPoint(10, 10));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    ReportPreview* preview = PreviewWindows::open(build(u("A4 x 4"), members(3)), &owner);
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    const QPoint off = preview->frameGeometry().center() - owner.frameGeometry().center();
    QVERIFY2(off.manhattanLength() <= 4, qPrintable(QStringLiteral("%1, %2").arg(off.x()).arg(off.y())));
    QVERIFY(screen.contains(preview->geometry().topLeft()));
    delete preview;
}

namespace {
struct PlacedWord {
    QString text;
    QPointF centreMm;
};

// Every word of the PDF's first page with the centre of its box, as a viewer places it.
QList<PlacedWord> wordsIn(const QString& pdf)
{
    static const QRegularExpression word(
        u("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    constexpr double MmPerPoint = 25.4 / 72;
    QList<PlacedWord> words;
    for (const QRegularExpressionMatch& m : word.globalMatch(pdfText(pdf, "-bbox")))
        words.append({m.captured(5), QPointF(m.captured(1).toDouble() + m.captured(3).toDouble(),
                                             m.captured(2).toDouble() + m.captured(4).toDouble()) / 2 * MmPerPoint});
    return words;
}
} // namespace

// The sheet's rulers are numbered from the paper's corner along all four edges, and the
// printer's correction moves them as it moves the receipts.
void TestReport::calibrationSheet_data()
{
    QTest::addColumn<int>("right");  // tenths of a millimetre
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("scale");  // tenths of a per cent
    QTest::addColumn<QString>("number");
    QTest::addColumn<QPointF>("centreMm");
    QTest::newRow("top edge") << 0 << 0 << 1000 << u("100") << QPointF(100, 7);
    QTest::newRow("bottom edge") << 0 << 0 << 1000 << u("50") << QPointF(50, 290);
    QTest::newRow("left edge") << 0 << 0 << 1000 << u("250") << QPointF(7, 250);
    QTest::newRow("right edge") << 0 << 0 << 1000 << u("150") << QPointF(203, 150);
    QTest::newRow("moved +1.5 mm, -2.0 mm") << 15 << -20 << 1000 << u("150") << QPointF(204.5, 148);
    QTest::newRow("scaled to 98 %") << 0 << 0 << 980 << u("200") << QPointF(7 * 0.98, 196);
}

void TestReport::calibrationSheet()
{
    QFETCH(int, right);
    QFETCH(int, down);
    QFETCH(int, scale);
    QFETCH(QString, number);
    QFETCH(QPointF, centreMm);
    QTemporaryDir folder;
    const QString pdf = folder.filePath(u("sheet.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFileName(pdf);
    QVERIFY(CalibrationSheet::print(printer, ReceiptLayouts::Rpt領収証A48D(), {right, down, scale}));
    const QList<PlacedWord> words = wordsIn(pdf);
    // Each centimetre is numbered on both edges that run along it.
    for (int mm = 10; mm < 297; mm += 10) {
        const qsizetype seen = std::count_if(words.begin(), words.end(),
                                             [mm](const PlacedWord& w) { return w.text == QString::number(mm); });
        QCOMPARE(seen, mm < 210 ? 4 : 2);
    }
    double nearest = 1e9;
    for (const PlacedWord& w : words)
        if (w.text == number)
            nearest = std::min(nearest, QLineF(w.centreMm, centreMm).length());
    QVERIFY2(nearest < 0.5, qPrintable(QString::number(nearest)));
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
