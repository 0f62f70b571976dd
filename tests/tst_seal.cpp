// The issuer's seal: which files are taken, where it is pressed on each layout, and that a PDF
// holds its image once however many receipts carry it.
#include "PartsDrawn.h"
#include "PdfText.h"
#include "RequestFixture.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "receipt/PrintRunAssembly.h"
#include "receipt/ReceiptRun.h"
#include "report/PdfDrawing.h"
#include "report/ReportRun.h"
#include "report/SealImage.h"
#include "store/Connections.h"
#include "store/WorkTableProtocol.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr double MmPerPoint = 25.4 / 72;

using SealImage::pngOf;

// A red square seal on white paper, as a scanner gives it.
QImage scannedSeal()
{
    QImage image(240, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(20, 20, 200, 200), QColor(200, 30, 30));
    painter.fillRect(QRect(50, 50, 140, 140), QColor(250, 248, 246));
    return image;
}

QByteArray svg(const char* inside)
{
    return QByteArrayLiteral("<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                             "viewBox='0 0 100 100'>") +
           QByteArray(inside) + QByteArrayLiteral("</svg>");
}

struct PlacedImage {
    QRectF mm; // on the page, from its top-left corner
};

// Every image drawn on every page, as a viewer places it.
QList<QList<PlacedImage>> imagesIn(const QString& pdf)
{
    QProcess trace;
    trace.start(u("mutool"), {u("trace"), pdf});
    trace.waitForFinished(60000);
    const QString out = QString::fromUtf8(trace.readAllStandardOutput());
    QList<QList<PlacedImage>> pages;
    static const QRegularExpression page(QStringLiteral("<page "));
    static const QRegularExpression image(
        QStringLiteral(R"re(<fill_image[^>]*transform="([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+) ([-\d.]+)")re"));
    for (const QString& text : out.split(page, Qt::SkipEmptyParts)) {
        if (!text.contains(u("mediabox")))
            continue;
        QList<PlacedImage> placed;
        for (auto it = image.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            const double a = m.captured(1).toDouble(), d = m.captured(4).toDouble();
            const double e = m.captured(5).toDouble(), f = m.captured(6).toDouble();
            placed.append({QRectF(e * MmPerPoint, f * MmPerPoint, a * MmPerPoint, d * MmPerPoint)});
        }
        pages.append(placed);
    }
    return pages;
}

// A seal stored with the settings, 25 mm, printing.
void storeSeal(bool prints = true, bool whiteToTransparent = false)
{
    const SealImage::Chosen chosen = SealImage::choose(pngOf(scannedSeal()), whiteToTransparent);
    const SealRecord seal{chosen.kind, chosen.bytes, 250, prints};
    QVERIFY(WorkTableProtocol::registerSettings({u("みどり町内会"), u("東京都"), u("西暦"), 0}, seal));
}

// Receipts of the stored settings on that paper, to a PDF file.
QString blankPdf(const QString& paperType, const QString& path, bool sealFlag = true)
{
    PrintRequest request = everySwitchOn(u("領収証"), u("みどり町内会"), u("東京都港区一丁目1番1号"), u("令和 08年12月10日"));
    request.paper = ReceiptLayouts::paperOrDefault(paperType);
    request.PrintCopies = request.paper.eightUp ? 12 : 6; // two pages, the last one part-filled
    request.SealFlag = sealFlag;
    std::shared_ptr<ReportRun> run;
    if (!PrintRunAssembly::blankRun(request, &run) || !ReceiptRun::writePdf(*run, path))
        return {};
    return path;
}

const struct {
    const char* paperType;
    QRect room; // twips in the cell
} sealRooms[] = {
    {"A4 x 4", {9248, 1703, 1240, 1240}},   {"A4 x 4 控付", {7189, 2441, 535, 535}},
    {"A4 x 4 T2", {9248, 1703, 1240, 1240}}, {"A4 x 4 T3", {9088, 1488, 1400, 1400}},
    {"A4 x 4 T4", {9088, 1488, 1400, 1400}}, {"A4 x 8", {4830, 2360, 530, 530}},
    {"A4 x 8 T3", {4825, 2345, 545, 545}},   {"A4 x 8 T4", {4825, 2345, 545, 545}},
};

void byPaper(bool eightUpOnly = false)
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QRect>("room");
    for (const auto& r : sealRooms)
        if (!eightUpOnly || ReceiptLayouts::forPaperType(u(r.paperType)).cellsPerPage() == 8)
            QTest::newRow(r.paperType) << u(r.paperType) << r.room;
}

} // namespace

class TestSeal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance())); }
    void chosenFiles_data();
    void chosenFiles();
    void roomOverlapsOnlyTheCompanyName_data() { byPaper(); }
    void roomOverlapsOnlyTheCompanyName();
    void roomLiesClearOfTheArtwork_data() { byPaper(true); }
    void roomLiesClearOfTheArtwork();
    void pressedOnEveryReceiptFromOneImage_data() { byPaper(); }
    void pressedOnEveryReceiptFromOneImage();
    void sealOffLeavesTheReceiptsAsTheyWere();
    void partsDrawnAtOnceHoldEachPictureOnce();
};

void TestSeal::chosenFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("whiteToTransparent");
    QTest::addColumn<QString>("kind"); // empty: refused
    QTest::addColumn<QString>("error");
    const QByteArray png = pngOf(scannedSeal());
    const QString outside = u("この SVG ファイルはほかのファイルやスクリプトを使っているため、印影に使えません。");
    QTest::newRow("png") << png << false << u("png") << QString();
    QTest::newRow("scanned png, white taken out") << png << true << u("png") << QString();
    QTest::newRow("svg") << svg("<circle cx='50' cy='50' r='40' fill='red'/>") << false << u("svg") << QString();
    QTest::newRow("svg, inner reference")
        << svg("<defs><circle id='c' r='9'/></defs><use xlink:href='#c'/><rect fill='url(#c)'/>") << false << u("svg")
        << QString();
    QTest::newRow("damaged png") << png.left(png.size() / 2) << false << QString()
                                 << u("PNG ファイルが壊れているため、読めません。");
    QTest::newRow("6 MB") << png + QByteArray(6 * 1024 * 1024, 'x') << false << QString()
                          << u("ファイルが大きすぎます（6.0 MB）。印影の画像は 5 MB までです。");
    QTest::newRow("text named .png") << QByteArray("みどり町内会 会長印\n") << false << QString()
                                     << u("印影には PNG または SVG の画像ファイルを選んでください。");
    QTest::newRow("svg, outside image") << svg("<image href='http://example.invalid/x.png'/>") << false << QString()
                                        << outside;
    QTest::newRow("svg, outside xlink") << svg("<use xlink:href='file:///etc/passwd#x'/>") << false << QString()
                                        << outside;
    QTest::newRow("svg, script") << svg("<script>alert(1)</script>") << false << QString() << outside;
    QTest::newRow("svg, foreign object") << svg("<foreignObject/>") << false << QString() << outside;
    QTest::newRow("svg, event") << svg("<rect onclick='x()'/>") << false << QString() << outside;
    QTest::newRow("svg, outside url") << svg("<rect style='fill:url(http://example.invalid/p)'/>") << false
                                      << QString() << outside;
    QTest::newRow("svg, style import") << svg("<style>@import 'http://example.invalid/a.css';</style>") << false
                                       << QString() << outside;
    QTest::newRow("svg, outside entity")
        << QByteArray("<!DOCTYPE svg [<!ENTITY e SYSTEM 'file:///etc/passwd'>]>"
                      "<svg xmlns='http://www.w3.org/2000/svg'><text>&e;</text></svg>")
        << false << QString() << outside;
}

void TestSeal::chosenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, whiteToTransparent);
    QFETCH(QString, kind);
    QFETCH(QString, error);
    const SealImage::Chosen chosen = SealImage::choose(bytes, whiteToTransparent);
    QCOMPARE(chosen.error, error);
    QCOMPARE(chosen.kind, kind);
    QCOMPARE(SealImage::render(chosen.kind, chosen.bytes).isNull(), kind.isEmpty());
    if (!whiteToTransparent)
        return;
    const QImage image = SealImage::render(chosen.kind, chosen.bytes);
    QCOMPARE(qAlpha(image.pixel(5, 5)), 0);       // the paper
    QCOMPARE(qAlpha(image.pixel(100, 100)), 0);   // the pale middle
    QCOMPARE(image.pixel(30, 30), qRgb(200, 30, 30)); // the ink, unchanged
}

void TestSeal::roomOverlapsOnlyTheCompanyName()
{
    QFETCH(QString, paperType);
    QFETCH(QRect, room);
    const ReportLayout layout = ReceiptLayouts::forPaperType(paperType);
    QCOMPARE(layout.sealRoom, room);
    QVERIFY(QRect(0, 0, layout.cellWidth, layout.cellHeight).contains(room));
    for (const ReportControl& c : layout.controls) {
        if (!c.isText())
            continue;
        if (c.name == u("txt会名称"))
            QVERIFY2(room.intersects(c.box) && room.right() >= c.box.right(), qPrintable(c.name));
        else
            QVERIFY2(!room.intersects(c.box), qPrintable(c.name));
    }
}

// Where the seal is pressed on the eight-up receipts, the printed receipt shows nothing but its
// ground: no frame, no ornament, no text under it.
void TestSeal::roomLiesClearOfTheArtwork()
{
    QFETCH(QString, paperType);
    TestData data;
    QVERIFY(data.ok());
    QTemporaryDir dir;
    const QString pdf = blankPdf(paperType, dir.filePath(u("art.pdf")), false);
    QVERIFY(!pdf.isEmpty());
    QProcess render;
    render.start(u("pdftoppm"), {u("-f"), u("1"), u("-l"), u("1"), u("-r"), u("100"), pdf});
    QVERIFY(render.waitForFinished(60000));
    const QImage page = QImage::fromData(render.readAllStandardOutput());
    QVERIFY(!page.isNull());
    const ReportLayout layout = ReceiptLayouts::forPaperType(paperType);
    const QRect room = layout.sealRoom;
    constexpr double PixelsPerTwip = 100 / 1440.0;
    for (int cell = 0; cell < layout.cellsPerPage(); ++cell) {
        const QRectF inTwips(layout.cellOrigin(cell) + room.topLeft(), room.size());
        const QRect pixels = QRectF(inTwips.topLeft() * PixelsPerTwip, inTwips.size() * PixelsPerTwip)
                                 .toAlignedRect()
                                 .adjusted(1, 1, -1, -1); // the edges blend with what lies beside
        const QColor ground = page.pixelColor(pixels.center());
        for (int y = pixels.top(); y <= pixels.bottom(); ++y)
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                const QColor seen = page.pixelColor(x, y);
                const int apart = std::max({qAbs(seen.red() - ground.red()), qAbs(seen.green() - ground.green()),
                                            qAbs(seen.blue() - ground.blue())});
                QVERIFY2(apart <= 24, qPrintable(u("receipt %1: pixel %2,%3").arg(cell).arg(x).arg(y)));
            }
    }
}

void TestSeal::pressedOnEveryReceiptFromOneImage()
{
    QFETCH(QString, paperType);
    QFETCH(QRect, room);
    TestData data;
    QVERIFY(data.ok());
    storeSeal();
    QTemporaryDir dir;
    const QString pdf = blankPdf(paperType, dir.filePath(u("seal.pdf")));
    QVERIFY(!pdf.isEmpty());
    const ReportLayout layout = ReceiptLayouts::forPaperType(paperType);
    const double side = std::min(250 / 10.0, room.width() * 25.4 / 1440);
    const int copies = layout.cellsPerPage() == 8 ? 12 : 6;
    const QList<QList<PlacedImage>> pages = imagesIn(pdf);
    QCOMPARE(pages.size(), 2);
    int receipts = 0;
    for (const QList<PlacedImage>& images : pages) {
        QList<QRectF> seals;
        for (const PlacedImage& image : images)
            if (qAbs(image.mm.width() - side) < 0.2 && qAbs(image.mm.height() - side) < 0.2)
                seals.append(image.mm);
        const int onPage = std::min(layout.cellsPerPage(), copies - receipts);
        QCOMPARE(seals.size(), onPage);
        for (int cell = 0; cell < onPage; ++cell) {
            const QPointF corner =
                QPointF(layout.cellOrigin(cell) + room.topLeft() + QPoint(room.width(), room.height())) * 25.4 / 1440;
            const QRectF expected(corner - QPointF(side, side), QSizeF(side, side));
            const QRectF found = seals.at(cell);
            QVERIFY2(qAbs(found.left() - expected.left()) <= 0.2 && qAbs(found.top() - expected.top()) <= 0.2 &&
                         qAbs(found.width() - side) <= 0.2 && qAbs(found.height() - side) <= 0.2,
                     qPrintable(u("receipt %1: %2,%3 %4x%5 instead of %6,%7")
                                    .arg(cell)
                                    .arg(found.left())
                                    .arg(found.top())
                                    .arg(found.width())
                                    .arg(found.height())
                                    .arg(expected.left())
                                    .arg(expected.top())));
        }
        receipts += onPage;
    }
    QCOMPARE(imageObjects(pdf, scannedSeal().size()), 1);
}

void TestSeal::sealOffLeavesTheReceiptsAsTheyWere()
{
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(WorkTableProtocol::registerSettings({u("みどり町内会"), u("東京都"), u("西暦"), 0}, std::nullopt));
    QTemporaryDir dir;
    const QString none = blankPdf(u("A4 x 4"), dir.filePath(u("none.pdf")));
    storeSeal(false);
    const QString off = blankPdf(u("A4 x 4"), dir.filePath(u("off.pdf")));
    storeSeal(true);
    const QString left = blankPdf(u("A4 x 4"), dir.filePath(u("left.pdf")), false);
    const QString on = blankPdf(u("A4 x 4"), dir.filePath(u("on.pdf")));
    for (const QString& pdf : {none, off, left, on})
        QVERIFY(!pdf.isEmpty());
    const QString text = pdfText(none);
    QVERIFY(text.contains(u("みどり町内会")));
    for (const QString& pdf : {off, left, on})
        QCOMPARE(pdfText(pdf), text);
    for (const QString& pdf : {none, off, left})
        QCOMPARE(imageObjects(pdf, scannedSeal().size()), 0);
    QCOMPARE(imageObjects(on, scannedSeal().size()), 1);
}

// A long run is drawn in parts at once, each part embedding its own copy of the seal and the
// artwork: the joined file holds each picture once and reads and looks as if drawn in one.
void TestSeal::partsDrawnAtOnceHoldEachPictureOnce()
{
    TestData data;
    QVERIFY(data.ok());
    storeSeal(true, true); // with a soft mask
    PrintRequest request = everySwitchOn(u("領収証"), u("みどり町内会"), u("東京都港区一丁目1番1号"), u("令和 08年12月10日"));
    request.paper = ReceiptLayouts::paperOrDefault(u("A4 x 4"));
    request.PrintCopies = 1200;
    std::shared_ptr<ReportRun> run;
    QVERIFY(PrintRunAssembly::blankRun(request, &run));
    const int last = run->pageCount() - 1;
    QTemporaryDir dir;
    const auto written = [&](int parts) { return drawnInParts(*run, parts, dir.filePath(u("parts%1.pdf").arg(parts))); };
    const auto images = [](const QString& pdf) {
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly) ? file.readAll().count("/Subtype /Image") : -1;
    };
    // The last page as a viewer draws it; empty when the viewer complains.
    const auto lastPage = [&](const QString& pdf) {
        QProcess render;
        render.start(u("pdftoppm"), {u("-f"), QString::number(last + 1), u("-l"), QString::number(last + 1), u("-r"),
                                     u("50"), pdf});
        render.waitForFinished(60000);
        const bool clean = render.exitCode() == 0 && render.readAllStandardError().isEmpty();
        return clean ? render.readAllStandardOutput() : QByteArray();
    };
    const QString one = written(1);
    QVERIFY(!one.isEmpty());
    for (const int parts : {2, 3}) {
        const QString joined = written(parts);
        QVERIFY(!joined.isEmpty());
        QCOMPARE(imageObjects(joined, scannedSeal().size()), 1);
        QCOMPARE(images(joined), images(one)); // the artwork and every soft mask once too
        QCOMPARE(pdfText(joined, "-raw"), pdfText(one, "-raw"));
        const QByteArray drawn = lastPage(joined);
        QVERIFY(!drawn.isEmpty());
        QCOMPARE(drawn, lastPage(one));
    }
}

QTEST_MAIN(TestSeal)
#include "tst_seal.moc"
