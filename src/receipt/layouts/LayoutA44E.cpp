// 4-up receipts on a full colour frame: golden scroll (A44E) or crown (A44D).
#include "receipt/layouts/ReceiptArt.h"
#include "receipt/layouts/ReceiptLayouts.h"

namespace ReceiptLayouts {

ReportLayout Rpt領収証A44E()
{
    using namespace Controls;
    ReportLayout l;
    l.name = QStringLiteral("Rpt領収証A44E");
    l.caption = caption();
    l.margins = QMargins(600, 270, 0, 0);
    l.cellWidth = 10815;
    // Where the seal is pressed: over the end of the company name, clear of every other text.
    l.sealRoom = QRect(9088, 1488, 1400, 1400);
    l.controls = {
        picture("Image1", 71, 0, 10701, 3756, ReceiptArt::scrollFrame()),
        field("txt日付", 7724, 780, 2268, 354, 12, Left).runningOn(),
        line("Line2", 71, 4000, 10600, 4000, LineStyle::DashDotDot),
        label("LblNo", 8008, 1205, 496, 283, 12, Left, QStringLiteral("No.")),
        field("txtNo", 8504, 1205, 1346, 283, 12, Left),
        label("Label3", 7016, 780, 638, 354, 12, Left, QStringLiteral("日付")),
        field("txt但書", 1920, 1950, 6900, 250, 12, Centre, ProvisoColumn),
        label("Label4", 3615, 2230, 4305, 360, 12, Left, QStringLiteral("上記金額を領収致しました。")),
        label("Lbl領収証タイトル", 4181, 510, 2410, 425, 18, Centre, designTitle()).coloured(darkTeal()),
        field("txt会名称", 5386, 2610, 5102, 283, 12, Left),
        field("txt会情報", 5882, 2890, 4606, 496, 10, Left),
        field("txt領収額", 3800, 1360, 3331, 496, 26.5, Left, AmountColumn).underlined(),
        field("txt氏名", 1134, 940, 3685, 354, 18, Left, NameColumn),
        line("Line1", 1063, 1320, 5528, 1320, LineStyle::Solid),
        label("Label2", 5031, 940, 426, 354, 18, Centre, QStringLiteral("様")),
    };
    return l;
}

ReportLayout Rpt領収証A44D()
{
    ReportLayout l = Rpt領収証A44E();
    l.name = QStringLiteral("Rpt領収証A44D");
    l.control(QStringLiteral("Image1"))->picture = ReceiptArt::crownFrame();
    l.control(QStringLiteral("Lbl領収証タイトル"))->box.moveTop(480);
    l.control(QStringLiteral("txt氏名"))->box.moveTop(920);
    l.control(QStringLiteral("Label2"))->box.moveTop(920);
    l.control(QStringLiteral("Line1"))->line = QLine(1063, 1300, 5528, 1300);
    return l;
}

} // namespace ReceiptLayouts
