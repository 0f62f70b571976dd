// Plain 4-up receipt with a pair of corner ornaments: floral (A44A) or leaf-scroll (A44C).
#include "receipt/layouts/ReceiptArt.h"
#include "receipt/layouts/ReceiptLayouts.h"

namespace ReceiptLayouts {

namespace {
ReportLayout plainFourUp(const QString& name, const ReportPicture& lowerLeft, const ReportPicture& upperRight)
{
    using namespace Controls;
    ReportLayout l;
    l.name = name;
    l.caption = caption();
    l.margins = QMargins(600, 270, 0, 100);
    l.cellWidth = 10815;
    // Where the seal is pressed: over the end of the company name, clear of every other text.
    l.sealRoom = QRect(9248, 1703, 1240, 1240);
    l.controls = {
        label("Lbl領収証タイトル", 4394, 270, 2409, 426, 22, Centre, designTitle()),
        line("Line1", 1063, 1260, 5528, 1260, LineStyle::Solid),
        field("txt氏名", 1134, 870, 3685, 354, 18, Left, NameColumn),
        label("Label2", 5031, 870, 426, 354, 18, Centre, QStringLiteral("様")),
        field("txt領収額", 3543, 1400, 3331, 496, 26.5, Left, AmountColumn).underlined(),
        field("txt会名称", 5386, 2660, 5102, 283, 12, Left),
        field("txt会情報", 5882, 2960, 4606, 496, 10, Left),
        picture("Image1", 71, 1417, 2197, 2126, lowerLeft),
        picture("Image2", 8505, 300, 2160, 2100, upperRight),
        field("txt日付", 7724, 992, 2268, 354, 12, Left).runningOn(),
        line("Line2", 71, 4000, 10600, 4000, LineStyle::DashDotDot),
        label("LblNo", 8008, 1417, 496, 284, 12, Left, QStringLiteral("No.")),
        field("txtNo", 8504, 1417, 1346, 284, 12, Left),
        label("Label3", 7016, 992, 638, 354, 12, Left, QStringLiteral("日付")),
        field("txt但書", 1920, 1990, 6900, 250, 12, Centre, ProvisoColumn),
        label("Label4", 3615, 2300, 4305, 360, 12, Left, QStringLiteral("上記金額を領収致しました。")),
    };
    return l;
}
} // namespace

ReportLayout Rpt領収証A44A()
{
    return plainFourUp(QStringLiteral("Rpt領収証A44A"), ReceiptArt::floralLowerLeft(), ReceiptArt::floralUpperRight());
}

ReportLayout Rpt領収証A44C()
{
    ReportLayout l =
        plainFourUp(QStringLiteral("Rpt領収証A44C"), ReceiptArt::leafLowerLeft(), ReceiptArt::leafUpperRight());
    l.control(QStringLiteral("Lbl領収証タイトル"))->box.moveTo(3969, 283);
    return l;
}

} // namespace ReceiptLayouts
