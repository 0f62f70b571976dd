#include "receipt/SealStamp.h"

#include "report/SealImage.h"
#include "store/Connections.h"
#include "store/SealTable.h"

#include <cmath>

namespace SealStamp {

namespace {
constexpr double TwipsPerTenthMm = 1440 / 254.0;
} // namespace

void takeStored(PrintRequest& request)
{
    request.Seal = QImage();
    request.SealTwips = 0;
    if (!request.SealFlag)
        return;
    const std::optional<SealRecord> stored = SealTable::read(Connections::mainDb());
    if (!stored || !stored->印刷 || stored->寸法 <= 0)
        return;
    request.Seal = SealImage::render(stored->種類, stored->画像);
    request.SealTwips = int(std::lround(stored->寸法 * TwipsPerTenthMm));
}

std::optional<ReportControl> control(const ReportLayout& layout, const QImage& seal, int longSideTwips)
{
    const QRect room = layout.sealRoom;
    if (seal.isNull() || room.isEmpty() || longSideTwips <= 0)
        return std::nullopt;
    const int longSide = std::min({longSideTwips, room.width(), room.height()});
    const QSize size = QSizeF(seal.size()).scaled(QSizeF(longSide, longSide), Qt::KeepAspectRatio).toSize();
    ReportPicture picture;
    picture.image = seal;
    return Controls::picture(QStringLiteral("Img印影"), room.right() + 1 - size.width(),
                             room.bottom() + 1 - size.height(), size.width(), size.height(), picture);
}

} // namespace SealStamp
