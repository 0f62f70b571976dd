// 8-up receipts on a colour frame, two columns: golden scroll (A48E) or crown (A48D).
#include "receipt/layouts/ReceiptArt.h"
#include "receipt/layouts/ReceiptLayouts.h"

namespace ReceiptLayouts {

ReportLayout Rpt領収証A48E()
{
    using namespace Controls;
    ReportLayout l;
    l.name = QStringLiteral("Rpt領収証A48E");
    l.caption = caption();
    l.margins = QMargins(200, 270, 50, 100);
    l.cellWidth = 5730;
    l.columns = 2;
    // Where the seal is pressed: over the end of the company name, clear of every other text.
    l.sealRoom = QRect(4825, 2345, 545, 545);
    l.controls = {
        picture("Image1", 30, 50, 5650, 3742, ReceiptArt::scrollFrame()),
        field("txt日付", 3400, 630, 1772, 284, 10, Left).runningOn(),
        line("Line2", 283, 4000, 5300, 4000, LineStyle::DashDotDot),
        label("LblNo", 3500, 920, 430, 283, 11.5, Left, QStringLiteral("No.")),
        field("txtNo", 3900, 920, 1347, 283, 11.5, Left),
        label("Label3", 2900, 630, 500, 284, 10, Left, QStringLiteral("日付")),
        field("txt但書", 700, 2120, 4125, 240, 10, Centre, ProvisoColumn),
        field("txt領収額", 1500, 1630, 2552, 460, 20.5, Left, AmountColumn).underlined(),
        field("txt会名称", 1474, 2650, 3685, 240, 12, Left),
        field("txt会情報", 2041, 2890, 3458, 430, 10, Left),
        label("Label8", 1520, 2370, 2778, 284, 10, Left, QStringLiteral("上記金額を領収致しました。")),
        field("txt氏名", 550, 1191, 3174, 283, 12, Left, NameColumn),
        label("Label2", 3700, 1191, 453, 340, 12, Centre, QStringLiteral("様")),
        label("Lbl領収証タイトル", 400, 700, 1928, 340, 18, Centre, designTitle()).coloured(darkTeal()),
        line("Line1", 570, 1480, 4060, 1480, LineStyle::Solid),
    };
    return l;
}

ReportLayout Rpt領収証A48D()
{
    ReportLayout l = Rpt領収証A48E();
    l.name = QStringLiteral("Rpt領収証A48D");
    l.control(QStringLiteral("Image1"))->picture = ReceiptArt::crownFrame();
    l.control(QStringLiteral("txt日付"))->box.moveTop(600);
    l.control(QStringLiteral("Label3"))->box.moveTop(600);
    l.control(QStringLiteral("LblNo"))->box.moveTop(850);
    l.control(QStringLiteral("txtNo"))->box.moveTop(850);
    l.control(QStringLiteral("txt氏名"))->box.moveLeft(500);
    l.control(QStringLiteral("Label2"))->box.moveLeft(3650);
    l.control(QStringLiteral("Line1"))->line = QLine(520, 1480, 4060, 1480);
    return l;
}

} // namespace ReceiptLayouts
