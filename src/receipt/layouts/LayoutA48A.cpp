// Plain 8-up receipt, two columns, floral corners.
#include "receipt/layouts/ReceiptArt.h"
#include "receipt/layouts/ReceiptLayouts.h"

namespace ReceiptLayouts {

ReportLayout Rpt領収証A48A()
{
    using namespace Controls;
    ReportLayout l;
    l.name = QStringLiteral("Rpt領収証A48A");
    l.caption = caption();
    l.margins = QMargins(200, 270, 50, 100);
    l.cellWidth = 5730;
    l.columns = 2;
    // Where the seal is pressed: over the end of the company name, clear of every other text.
    l.sealRoom = QRect(4830, 2360, 530, 530);
    l.controls = {
        label("Lbl領収証タイトル", 283, 350, 1914, 355, 18, Centre, designTitle()),
        field("txt氏名", 280, 1185, 3060, 320, 12, Left, NameColumn),
        label("Label2", 3400, 1191, 453, 340, 12, Centre, QStringLiteral("様")),
        picture("Image1", 283, 2050, 1474, 1587, ReceiptArt::floralLowerLeft()),
        picture("Image2", 3820, 71, 1701, 1559, ReceiptArt::floralUpperRight()),
        // The date does not run on past its box: the floral corner's stem stands there.
        field("txt日付", 3189, 550, 1772, 284, 11.5, Left),
        line("Line2", 283, 4000, 5300, 4000, LineStyle::DashDotDot),
        label("LblNo", 3090, 850, 430, 283, 11.5, Left, QStringLiteral("No.")),
        field("txtNo", 3600, 850, 1347, 283, 11.5, Left),
        label("Label3", 2551, 550, 567, 284, 11.5, Left, QStringLiteral("日付")),
        field("txt但書", 960, 2120, 4125, 240, 10, Centre, ProvisoColumn),
        field("txt領収額", 1417, 1630, 2552, 460, 20.5, Left, AmountColumn).underlined(),
        field("txt会名称", 1474, 2650, 3685, 240, 12, Left),
        field("txt会情報", 2041, 2890, 3458, 430, 10, Left),
        label("Label8", 1520, 2370, 2778, 284, 10, Left, QStringLiteral("上記金額を領収致しました。")),
        line("Line1", 320, 1520, 3760, 1520, LineStyle::Solid),
    };
    return l;
}

} // namespace ReceiptLayouts
