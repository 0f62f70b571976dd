// 4-up receipt with a counterfoil strip right of a dotted tear line.
#include "receipt/layouts/ReceiptArt.h"
#include "receipt/layouts/ReceiptLayouts.h"

namespace ReceiptLayouts {

ReportLayout Rpt領収証A44B()
{
    using namespace Controls;
    ReportLayout l;
    l.name = QStringLiteral("Rpt領収証A44B");
    l.caption = caption();
    l.margins = QMargins(600, 270, 0, 100);
    l.cellWidth = 11100;
    // Where the seal is pressed: over the end of the company name, clear of every other text.
    l.sealRoom = QRect(7189, 2441, 535, 535);
    l.controls = {
        label("Lbl領収証タイトル", 2906, 283, 2196, 426, 20.5, Centre, designTitle()),
        line("Line1", 425, 1300, 4600, 1300, LineStyle::Solid),
        field("txt氏名", 495, 915, 3690, 360, 18, Left, NameColumn),
        label("Label2", 4200, 921, 425, 355, 18, Centre, QStringLiteral("様")),
        field("txt領収額", 2480, 1559, 3331, 496, 24, Left, AmountColumn).underlined(),
        field("txt会名称", 3472, 2693, 4252, 283, 14.5, Left),
        field("txt会情報", 3827, 2980, 4323, 496, 10, Left),
        picture("Image1", 71, 1417, 2197, 2126, ReceiptArt::floralLowerLeft()),
        picture("Image2", 6165, 283, 2197, 2126, ReceiptArt::floralUpperRight()),
        // The main date does not run on past its box: the floral corner blooms there.
        field("txt日付", 5598, 921, 2126, 284, 12, Left),
        line("Line2", 71, 4000, 10600, 4000, LineStyle::DashDotDot),
        label("LblNo", 5953, 1280, 496, 283, 12, Left, QStringLiteral("No.")),
        field("txtNo", 6449, 1280, 1346, 283, 12, Left),
        label("Label3", 5031, 921, 567, 284, 12, Left, QStringLiteral("日付")),
        field("txt但書", 705, 2180, 6990, 260, 12, Centre, ProvisoColumn),
        label("Label4", 8717, 425, 2055, 355, 18, Centre, QStringLiteral("領収証控")),
        field("txt日付控", 8925, 1140, 1815, 270, 10, Left).runningOn(),
        field("txt氏名控", 8640, 1820, 1820, 440, 11.5, Centre, NameColumn),
        field("txtNo控", 9780, 1460, 921, 213, 10, Left),
        label("Label5", 8717, 850, 566, 284, 10, Left, QStringLiteral("日付")),
        label("Label6", 9283, 1417, 426, 284, 10, Left, QStringLiteral("No.")),
        picture("Image3", 10040, 2720, 780, 850, ReceiptArt::floralLowerRight()),
        line("Line3", 8440, 213, 8440, 3827, LineStyle::Dotted),
        label("Label7", 10450, 1930, 426, 320, 11.5, Centre, QStringLiteral("様")),
        field("txt領収額控", 8717, 2480, 1913, 355, 16, Centre, AmountColumn).underlined(),
        label("Label8", 2130, 2420, 3630, 285, 11.5, Left, QStringLiteral("上記金額を領収致しました。")),
        line("Line4", 8620, 2300, 10780, 2300, LineStyle::Solid),
    };
    return l;
}

} // namespace ReceiptLayouts
