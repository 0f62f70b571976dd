// The eight receipt layouts: every control of the first receipt on the first page, with its
// box, font, alignment, line style, picture and formatted text; drawing order; paper types.
#include "RequestFixture.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptRun.h"
#include "receipt/ReissueMark.h"
#include "receipt/TaxMarks.h"
#include "receipt/layouts/ReceiptLayouts.h"
#include "report/PagePainter.h"
#include "report/PictureCache.h"
#include "report/ReportRun.h"

#include <QApplication>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(ConsumptionTax::TaxClass)

namespace {

// Control tables as the layouts are drawn: name, kind, box or line, size, alignment
// (L/C, U underlined, T dark teal); pictures name their artwork.
const char* const A44A = R"(
Lbl領収証タイトル label 4394 270 2409 426 22 C
Line1 line 1063 1260 5528 1260 solid
txt氏名 field 1134 870 3685 354 18 L
Label2 label 5031 870 426 354 18 C
txt領収額 field 3543 1400 3331 496 26.5 LU
txt会名称 field 5386 2660 5102 283 12 L
txt会情報 field 5882 2960 4606 496 10 L
Image1 picture 71 1417 2197 2126 floral_lower_left fit
Image2 picture 8505 300 2160 2100 floral_upper_right fit
txt日付 field 7724 992 2268 354 12 L
Line2 line 71 4000 10600 4000 dash-dot-dot
LblNo label 8008 1417 496 284 12 L
txtNo field 8504 1417 1346 284 12 L
Label3 label 7016 992 638 354 12 L
txt但書 field 1920 1990 6900 250 12 C
Label4 label 3615 2300 4305 360 12 L
)";

const char* const A44C = R"(
Lbl領収証タイトル label 3969 283 2409 426 22 C
Line1 line 1063 1260 5528 1260 solid
txt氏名 field 1134 870 3685 354 18 L
Label2 label 5031 870 426 354 18 C
txt領収額 field 3543 1400 3331 496 26.5 LU
txt会名称 field 5386 2660 5102 283 12 L
txt会情報 field 5882 2960 4606 496 10 L
Image1 picture 71 1417 2197 2126 leaf_lower_left fit
Image2 picture 8505 300 2160 2100 leaf_upper_right fit
txt日付 field 7724 992 2268 354 12 L
Line2 line 71 4000 10600 4000 dash-dot-dot
LblNo label 8008 1417 496 284 12 L
txtNo field 8504 1417 1346 284 12 L
Label3 label 7016 992 638 354 12 L
txt但書 field 1920 1990 6900 250 12 C
Label4 label 3615 2300 4305 360 12 L
)";

const char* const A44B = R"(
Lbl領収証タイトル label 2906 283 2196 426 20.5 C
Line1 line 425 1300 4600 1300 solid
txt氏名 field 495 915 3690 360 18 L
Label2 label 4200 921 425 355 18 C
txt領収額 field 2480 1559 3331 496 24 LU
txt会名称 field 3472 2693 4252 283 14.5 L
txt会情報 field 3827 2980 4323 496 10 L
Image1 picture 71 1417 2197 2126 floral_lower_left fit
Image2 picture 6165 283 2197 2126 floral_upper_right fit
txt日付 field 5598 921 2126 284 12 L
Line2 line 71 4000 10600 4000 dash-dot-dot
LblNo label 5953 1280 496 283 12 L
txtNo field 6449 1280 1346 283 12 L
Label3 label 5031 921 567 284 12 L
txt但書 field 705 2180 6990 260 12 C
Label4 label 8717 425 2055 355 18 C
txt日付控 field 8925 1140 1815 270 10 L
txt氏名控 field 8640 1820 1820 440 11.5 C
txtNo控 field 9780 1460 921 213 10 L
Label5 label 8717 850 566 284 10 L
Label6 label 9283 1417 426 284 10 L
Image3 picture 10040 2720 780 850 floral_lower_right fit
Line3 line 8440 213 8440 3827 dotted
Label7 label 10450 1930 426 320 11.5 C
txt領収額控 field 8717 2480 1913 355 16 CU
Label8 label 2130 2420 3630 285 11.5 L
Line4 line 8620 2300 10780 2300 solid
)";

const char* const A44E = R"(
Image1 picture 71 0 10701 3756 scroll_frame stretch
txt日付 field 7724 780 2268 354 12 L
Line2 line 71 4000 10600 4000 dash-dot-dot
LblNo label 8008 1205 496 283 12 L
txtNo field 8504 1205 1346 283 12 L
Label3 label 7016 780 638 354 12 L
txt但書 field 1920 1950 6900 250 12 C
Label4 label 3615 2230 4305 360 12 L
Lbl領収証タイトル label 4181 510 2410 425 18 CT
txt会名称 field 5386 2610 5102 283 12 L
txt会情報 field 5882 2890 4606 496 10 L
txt領収額 field 3800 1360 3331 496 26.5 LU
txt氏名 field 1134 940 3685 354 18 L
Line1 line 1063 1320 5528 1320 solid
Label2 label 5031 940 426 354 18 C
)";

const char* const A44D = R"(
Image1 picture 71 0 10701 3756 crown_frame stretch
txt日付 field 7724 780 2268 354 12 L
Line2 line 71 4000 10600 4000 dash-dot-dot
LblNo label 8008 1205 496 283 12 L
txtNo field 8504 1205 1346 283 12 L
Label3 label 7016 780 638 354 12 L
txt但書 field 1920 1950 6900 250 12 C
Label4 label 3615 2230 4305 360 12 L
Lbl領収証タイトル label 4181 480 2410 425 18 CT
txt会名称 field 5386 2610 5102 283 12 L
txt会情報 field 5882 2890 4606 496 10 L
txt領収額 field 3800 1360 3331 496 26.5 LU
txt氏名 field 1134 920 3685 354 18 L
Line1 line 1063 1300 5528 1300 solid
Label2 label 5031 920 426 354 18 C
)";

const char* const A48A = R"(
Lbl領収証タイトル label 283 350 1914 355 18 C
txt氏名 field 280 1185 3060 320 12 L
Label2 label 3400 1191 453 340 12 C
Image1 picture 283 2050 1474 1587 floral_lower_left fit
Image2 picture 3820 71 1701 1559 floral_upper_right fit
txt日付 field 3189 550 1772 284 11.5 L
Line2 line 283 4000 5300 4000 dash-dot-dot
LblNo label 3090 850 430 283 11.5 L
txtNo field 3600 850 1347 283 11.5 L
Label3 label 2551 550 567 284 11.5 L
txt但書 field 960 2120 4125 240 10 C
txt領収額 field 1417 1630 2552 460 20.5 LU
txt会名称 field 1474 2650 3685 240 12 L
txt会情報 field 2041 2890 3458 430 10 L
Label8 label 1520 2370 2778 284 10 L
Line1 line 320 1520 3760 1520 solid
)";

const char* const A48E = R"(
Image1 picture 30 50 5650 3742 scroll_frame stretch
txt日付 field 3400 630 1772 284 10 L
Line2 line 283 4000 5300 4000 dash-dot-dot
LblNo label 3500 920 430 283 11.5 L
txtNo field 3900 920 1347 283 11.5 L
Label3 label 2900 630 500 284 10 L
txt但書 field 700 2120 4125 240 10 C
txt領収額 field 1500 1630 2552 460 20.5 LU
txt会名称 field 1474 2650 3685 240 12 L
txt会情報 field 2041 2890 3458 430 10 L
Label8 label 1520 2370 2778 284 10 L
txt氏名 field 550 1191 3174 283 12 L
Label2 label 3700 1191 453 340 12 C
Lbl領収証タイトル label 400 700 1928 340 18 CT
Line1 line 570 1480 4060 1480 solid
)";

const char* const A48D = R"(
Image1 picture 30 50 5650 3742 crown_frame stretch
txt日付 field 3400 600 1772 284 10 L
Line2 line 283 4000 5300 4000 dash-dot-dot
LblNo label 3500 850 430 283 11.5 L
txtNo field 3900 850 1347 283 11.5 L
Label3 label 2900 600 500 284 10 L
txt但書 field 700 2120 4125 240 10 C
txt領収額 field 1500 1630 2552 460 20.5 LU
txt会名称 field 1474 2650 3685 240 12 L
txt会情報 field 2041 2890 3458 430 10 L
Label8 label 1520 2370 2778 284 10 L
txt氏名 field 500 1191 3174 283 12 L
Label2 label 3650 1191 453 340 12 C
Lbl領収証タイトル label 400 700 1928 340 18 CT
Line1 line 520 1480 4060 1480 solid
)";

struct LayoutCase {
    const char* paperType;
    const char* layoutName;
    const char* table;
    QPoint firstCell; // left and top margins
};

const LayoutCase layoutCases[] = {
    {"A4 x 4", "Rpt領収証A44A", A44A, {600, 270}},     {"A4 x 4 控付", "Rpt領収証A44B", A44B, {600, 270}},
    {"A4 x 4 T2", "Rpt領収証A44C", A44C, {600, 270}},  {"A4 x 4 T3", "Rpt領収証A44D", A44D, {600, 270}},
    {"A4 x 4 T4", "Rpt領収証A44E", A44E, {600, 270}},  {"A4 x 8", "Rpt領収証A48A", A48A, {200, 270}},
    {"A4 x 8 T3", "Rpt領収証A48D", A48D, {200, 270}},  {"A4 x 8 T4", "Rpt領収証A48E", A48E, {200, 270}},
};

const QString Title = u("領　収　証");
const QString Name = u("山田 太郎");
const QString Proviso = u("年会費として");
const QString Company = u("みどり町内会");
const QString Info = u("東京都港区一丁目1番1号\n電話 03-1234-5678");
const QString Date = u("令和 8年12月10日");

// The text each control must show for the fixture row (1,500 yen, number 41, all switches on).
QString expectedText(const QString& layout, const QString& control)
{
    const QHash<QString, QString> texts = {
        {u("Lbl領収証タイトル"), Title}, {u("txt氏名"), Name},       {u("txt氏名控"), Name},
        {u("Label2"), u("様")},          {u("Label7"), u("様")},     {u("txt領収額"), u("　¥1,500-　")},
        {u("txt領収額控"), u(" ¥1,500 ")}, {u("txt会名称"), Company}, {u("txt会情報"), Info},
        {u("txt日付"), Date},            {u("txt日付控"), Date},     {u("LblNo"), u("No.")},
        {u("Label6"), u("No.")},         {u("txtNo"), u("00041")},   {u("txtNo控"), u("00041")},
        {u("Label3"), u("日付")},        {u("Label5"), u("日付")},   {u("txt但書"), Proviso},
        {u("Label8"), u("上記金額を領収致しました。")},
    };
    if (control == QLatin1String("Label4"))
        return layout == u("Rpt領収証A44B") ? u("領収証控") : u("上記金額を領収致しました。");
    return texts.value(control);
}

// Pixels of the texts' ink that lie on (or right beside) ink of the pictures: empty when none,
// else where.
QString inkOnArtwork(const QList<PageItem>& texts, const QList<PageItem>& pictures)
{
    const qreal scale = 0.1; // pixels per twip
    auto draw = [&](const QList<PageItem>& items) {
        QImage image(QSize(int(11906 * scale), int(16838 * scale)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(scale, scale);
        PagePainter().paint(painter, ReportPage{1, items});
        return image;
    };
    const QImage text = draw(texts);
    const QImage art = draw(pictures);
    int covered = 0;
    QRect where;
    for (int y = 1; y + 1 < text.height(); ++y)
        for (int x = 1; x + 1 < text.width(); ++x) {
            if (qAlpha(text.pixel(x, y)) <= 40)
                continue;
            for (const QPoint& near :
                 {QPoint(x, y), QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)}) {
                const QRgb p = art.pixel(near);
                if (qAlpha(p) > 40 && qGray(p) < 230) {
                    ++covered;
                    where |= QRect(near / scale, QSize(1, 1));
                    break;
                }
            }
        }
    if (covered == 0)
        return {};
    return u("%1 pixels lie on artwork around %2,%3 - %4,%5 (twips)")
        .arg(covered)
        .arg(where.left())
        .arg(where.top())
        .arg(where.right())
        .arg(where.bottom());
}

} // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void firstReceiptControls_data();
    void firstReceiptControls();
    void drawingOrderAndNothingElse_data();
    void drawingOrderAndNothingElse();
    void paperTypeChoosesLayout_data();
    void paperTypeChoosesLayout();
    void everyPictureRenders();
    void picturesFitOrStretch();
    void dateAreaClearOfArtwork_data();
    void dateAreaClearOfArtwork();
    void taxMarksClearOfEverything_data();
    void taxMarksClearOfEverything();

private:
    // One receipt of the request every test starts from, on the given paper.
    std::shared_ptr<ReportRun> buildOne(const QString& paperType) const
    {
        return runOn(request_, paperType, {{Name, qint64(1500), Proviso}});
    }

    std::unique_ptr<TestData> data_;
    PrintRequest request_;
};

void TestLayouts::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void TestLayouts::init()
{
    data_ = std::make_unique<TestData>();
    QVERIFY(data_->ok());
    request_ = everySwitchOn(Title, Company, Info, Date);
}

void TestLayouts::firstReceiptControls_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<QPoint>("cellOrigin");
    QTest::addColumn<QStringList>("entry");
    for (const LayoutCase& lc : layoutCases) {
        for (const QString& line : u(lc.table).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList entry = line.split(QLatin1Char(' '));
            QTest::newRow(qPrintable(u(lc.layoutName).mid(6) + QLatin1Char('/') + entry.at(0)))
                << u(lc.paperType) << u(lc.layoutName) << lc.firstCell << entry;
        }
    }
}

void TestLayouts::firstReceiptControls()
{
    QFETCH(QString, paperType);
    QFETCH(QString, layoutName);
    QFETCH(QPoint, cellOrigin);
    QFETCH(QStringList, entry);
    const auto run = buildOne(paperType);
    QCOMPARE(run->layout().name, layoutName);
    const ReportPage page = run->page(0);
    const PageItem* item = page.find(entry.at(0), 0);
    QVERIFY2(item, "control missing");
    const QString kind = entry.at(1);
    auto n = [&](int i) { return entry.at(i).toInt(); };
    if (kind == QLatin1String("line")) {
        QCOMPARE(item->kind(), ControlKind::Line);
        QCOMPARE(item->line, QLine(n(2), n(3), n(4), n(5)).translated(cellOrigin));
        const QHash<QString, LineStyle> styles = {{u("solid"), LineStyle::Solid},
                                                  {u("dotted"), LineStyle::Dotted},
                                                  {u("dash-dot-dot"), LineStyle::DashDotDot}};
        QCOMPARE(item->control->lineStyle, styles.value(entry.at(6)));
        return;
    }
    QCOMPARE(item->box, QRect(n(2), n(3), n(4), n(5)).translated(cellOrigin));
    if (kind == QLatin1String("picture")) {
        QCOMPARE(item->kind(), ControlKind::Picture);
        QCOMPARE(item->control->picture.path, u(":/receipt/layouts/art/") + entry.at(6) + u(".svg"));
        QCOMPARE(item->control->picture.scaling,
                 entry.at(7) == QLatin1String("fit") ? PictureScaling::Fit : PictureScaling::Stretch);
        return;
    }
    QCOMPARE(item->kind(), kind == QLatin1String("label") ? ControlKind::Label : ControlKind::Field);
    QCOMPARE(item->control->fontPt, entry.at(6).toDouble());
    const QString style = entry.at(7);
    QCOMPARE(item->control->alignment & Qt::AlignHorizontal_Mask,
             style.contains(QLatin1Char('C')) ? Qt::AlignHCenter : Qt::AlignLeft);
    QCOMPARE(item->control->underline, style.contains(QLatin1Char('U')));
    QCOMPARE(item->control->colour, style.contains(QLatin1Char('T')) ? QColor(0, 64, 64) : QColor(Qt::black));
    QCOMPARE(item->text, expectedText(layoutName, entry.at(0)));
}

void TestLayouts::drawingOrderAndNothingElse_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QStringList>("order");
    for (const LayoutCase& lc : layoutCases) {
        QStringList order;
        for (const QString& line : u(lc.table).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            order.append(line.section(QLatin1Char(' '), 0, 0));
        QTest::newRow(lc.layoutName) << u(lc.paperType) << order;
    }
}

void TestLayouts::drawingOrderAndNothingElse()
{
    QFETCH(QString, paperType);
    QFETCH(QStringList, order);
    const auto run = buildOne(paperType);
    QStringList drawn;
    for (const PageItem& item : run->page(0).items)
        if (item.name() != ReissueMark::control() || !item.text.isEmpty()) // the reprint mark, unset
            drawn.append(item.name());
    QCOMPARE(drawn, order);
    QCOMPARE(run->layout().caption, u("領収証印刷"));
}

void TestLayouts::paperTypeChoosesLayout_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<QString>("layoutName");
    QTest::addColumn<int>("perPage");
    for (const LayoutCase& lc : layoutCases)
        QTest::newRow(lc.paperType) << u(lc.paperType) << u(lc.layoutName)
                                    << (u(lc.layoutName).contains(u("A48")) ? 8 : 4);
    QTest::newRow("empty text") << QString() << u("Rpt領収証A44A") << 4;
    QTest::newRow("unknown name") << u("B5 x 2") << u("Rpt領収証A44A") << 4;
    QTest::newRow("case differs") << u("a4 x 8") << u("Rpt領収証A44A") << 4;
    QTest::newRow("trailing blank") << u("A4 x 8 ") << u("Rpt領収証A44A") << 4;
}

void TestLayouts::paperTypeChoosesLayout()
{
    QFETCH(QString, paperType);
    QFETCH(QString, layoutName);
    QFETCH(int, perPage);
    const ReportLayout layout = ReceiptLayouts::forPaperType(paperType);
    QCOMPARE(layout.name, layoutName);
    QCOMPARE(layout.cellsPerPage(), perPage);
    QCOMPARE(layout.cellHeight, 4100);
}

void TestLayouts::everyPictureRenders()
{
    // Each artwork must load and leave visible ink in its box.
    for (const QString& name : ReceiptLayouts::names()) {
        const ReportLayout layout = ReceiptLayouts::byName(name);
        for (const ReportControl& c : layout.controls) {
            if (c.kind != ControlKind::Picture)
                continue;
            PictureCache cache;
            const QImage& image = cache.get(c.picture, c.box.size()).image;
            QVERIFY2(!image.isNull(), qPrintable(name + QLatin1Char('/') + c.name));
            int inked = 0;
            for (int y = 0; y < image.height(); y += 4)
                for (int x = 0; x < image.width(); x += 4) {
                    const QRgb p = image.pixel(x, y);
                    inked += qAlpha(p) > 0 && qGray(p) < 230;
                }
            QVERIFY2(inked > 50, qPrintable(name + QLatin1Char('/') + c.name + QLatin1String(" is empty")));
        }
    }
}

void TestLayouts::picturesFitOrStretch()
{
    // Corner ornaments keep their proportions, centred in their boxes; frames fill theirs.
    for (const QString& name : ReceiptLayouts::names()) {
        for (const ReportControl& c : ReceiptLayouts::byName(name).controls) {
            if (c.kind != ControlKind::Picture)
                continue;
            const QString where = name + QLatin1Char('/') + c.name;
            PictureCache cache;
            const PictureCache::Placed& placed = cache.get(c.picture, c.box.size());
            const QRectF box(QPointF(0, 0), c.box.size());
            if (c.picture.scaling == PictureScaling::Stretch) {
                QCOMPARE(placed.area, box);
                QCOMPARE(placed.image.width(), qRound(box.width() * PictureCache::DotsPerInch / 1440.0));
                continue;
            }
            const QSizeF natural = PictureCache::naturalSize(c.picture.path);
            QVERIFY2(box.adjusted(-5, -5, 5, 5).contains(placed.area), qPrintable(where));
            QVERIFY2(qAbs(placed.area.width() / placed.area.height() - natural.width() / natural.height()) < 0.01,
                     qPrintable(where));
            QVERIFY2(qAbs(placed.area.center().x() - box.center().x()) <= 3 &&
                         qAbs(placed.area.center().y() - box.center().y()) <= 3,
                     qPrintable(where));
            // It touches two opposite sides of its box.
            QVERIFY2(qAbs(placed.area.width() - box.width()) <= 5 || qAbs(placed.area.height() - box.height()) <= 5,
                     qPrintable(where));
        }
    }
}

void TestLayouts::dateAreaClearOfArtwork_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<bool>("printDate");
    for (const LayoutCase& c : layoutCases) {
        QTest::newRow(qPrintable(u(c.paperType) + u(": era date"))) << u(c.paperType) << true;
        QTest::newRow(qPrintable(u(c.paperType) + u(": blank date"))) << u(c.paperType) << false;
    }
}

void TestLayouts::dateAreaClearOfArtwork()
{
    // The ornaments leave the dates (and the blank date to write on) on clear paper.
    QFETCH(QString, paperType);
    QFETCH(bool, printDate);
    request_.ReceiptDate = u("令和 08年12月10日");
    request_.PrintDateFlag = printDate;
    const auto run = buildOne(paperType);
    QList<PageItem> dates;
    QList<PageItem> pictures;
    for (const PageItem& item : run->page(0).items) {
        if (item.receipt != 0)
            continue;
        if (item.name() == u("txt日付") || item.name() == u("txt日付控"))
            dates.append(item);
        else if (item.kind() == ControlKind::Picture)
            pictures.append(item);
    }
    QVERIFY(!dates.isEmpty() && !pictures.isEmpty());
    const QString onArtwork = inkOnArtwork(dates, pictures);
    QVERIFY2(onArtwork.isEmpty(), qPrintable(u("date ") + onArtwork));
}

void TestLayouts::taxMarksClearOfEverything_data()
{
    QTest::addColumn<QString>("paperType");
    QTest::addColumn<ConsumptionTax::TaxClass>("taxClass");
    QTest::addColumn<bool>("blankForm");
    for (const LayoutCase& c : layoutCases) {
        QTest::newRow(qPrintable(u(c.paperType) + u(": 10%"))) << u(c.paperType) << ConsumptionTax::TaxClass::Standard << false;
        QTest::newRow(qPrintable(u(c.paperType) + u(": 8%"))) << u(c.paperType) << ConsumptionTax::TaxClass::Reduced << false;
        QTest::newRow(qPrintable(u(c.paperType) + u(": blank form"))) << u(c.paperType) << ConsumptionTax::TaxClass::None << true;
    }
}

void TestLayouts::taxMarksClearOfEverything()
{
    // The registration number, the tax line and the stamp box of a qualified issuer, with the
    // longest amount, stay inside their cell at 8 pt or more, on no other control and on no
    // artwork, and move nothing that was there before.
    QFETCH(QString, paperType);
    QFETCH(ConsumptionTax::TaxClass, taxClass);
    QFETCH(bool, blankForm);
    PrintRequest taxed = request_;
    taxed.Issuer = IssuerKind::Qualified;
    taxed.RegistrationNumber = u("T7000012050002");
    taxed.TaxClass = taxClass;
    const QList<PrintRow> rows{{Name, blankForm ? QVariant() : QVariant(qint64(9'999'999'999)), Proviso}};
    const auto run = runOn(taxed, paperType, rows);
    const ReportPage before = buildOne(paperType)->page(0);
    const QStringList markNames{TaxMarks::registrationControl(), TaxMarks::taxLineControl(), TaxMarks::stampControl()};
    QList<PageItem> marks;
    QList<PageItem> others;
    QList<PageItem> pictures;
    for (const PageItem& item : run->page(0).items) {
        const bool drawsNothing = item.control->isText() && item.text.isEmpty();
        if (item.receipt != 0 || drawsNothing)
            continue;
        if (markNames.contains(item.name()))
            marks.append(item);
        else if (item.kind() == ControlKind::Picture)
            pictures.append(item);
        else
            others.append(item);
        if (const PageItem* was = before.find(item.name(), 0)) {
            QCOMPARE(item.box, was->box);
            QCOMPARE(item.line, was->line);
        }
    }
    QStringList shown;
    for (const PageItem& mark : marks)
        shown.append(mark.name());
    const bool stampBox = !blankForm && TaxMarks::placesFor(run->layout().name).stamp.has_value();
    QCOMPARE(shown, QStringList(markNames.mid(0, stampBox ? 3 : 2)));
    PagePainter painter;
    for (const PageItem& mark : marks) {
        const QString where = mark.name();
        QVERIFY2(mark.cell.contains(mark.box), qPrintable(where));
        const PagePainter::TextFit fit = painter.fit(mark);
        QVERIFY2(!fit.clipped && fit.pixelSize >= 8 * 20, qPrintable(where + u(" does not fit at 8 pt")));
        for (const PageItem& other : others + marks) {
            if (other.name() == mark.name())
                continue;
            const QRect taken = other.kind() == ControlKind::Line ? QRect(other.line.p1(), other.line.p2()).normalized().adjusted(-10, -10, 10, 10)
                                : other.control->runsOn ? QRect(other.box.topLeft(), QPoint(other.cell.right(), other.box.bottom()))
                                                        : other.box;
            QVERIFY2(!taken.intersects(mark.box), qPrintable(where + u(" touches ") + other.name()));
        }
    }
    const QString onArtwork = inkOnArtwork(marks, pictures);
    QVERIFY2(onArtwork.isEmpty(), qPrintable(onArtwork));
    // What the marks say.
    auto textOf = [&run](const QString& name) { return run->text(0, name); };
    const QString expectedLine = blankForm ? ConsumptionTax::blankLine()
                                 : taxClass == ConsumptionTax::TaxClass::Standard ? u("（内消費税等 10%　¥909,090,909）")
                                                                                  : u("※軽減税率対象（内消費税等 8%　¥740,740,740）");
    // A narrow place breaks the line at its blanks and after the reduced-rate mark.
    const auto unbroken = [](QString text) { return text.remove(QRegularExpression(u("[\n 　]"))); };
    QCOMPARE(unbroken(textOf(TaxMarks::taxLineControl())), unbroken(expectedLine));
    QVERIFY(textOf(TaxMarks::registrationControl()).endsWith(u("T7000012050002")));
    QCOMPARE(textOf(TaxMarks::stampControl()), stampBox ? u("収入印紙") : QString());
}

QTEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
