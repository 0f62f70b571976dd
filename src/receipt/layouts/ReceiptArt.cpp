#include "receipt/layouts/ReceiptArt.h"

namespace ReceiptArt {

namespace {
ReportPicture fitted(const char* file)
{
    return {QStringLiteral(":/receipt/layouts/art/") + QLatin1String(file), PictureScaling::Fit, {}};
}
} // namespace

ReportPicture floralLowerLeft() { return fitted("floral_lower_left.svg"); }
ReportPicture floralUpperRight() { return fitted("floral_upper_right.svg"); }
ReportPicture floralLowerRight() { return fitted("floral_lower_right.svg"); }
ReportPicture leafLowerLeft() { return fitted("leaf_lower_left.svg"); }
ReportPicture leafUpperRight() { return fitted("leaf_upper_right.svg"); }

// The frames stretch to their boxes; only the plain runs of border between the corner
// pieces and the centre ornament take up the extra width.
ReportPicture crownFrame()
{
    return {QStringLiteral(":/receipt/layouts/art/crown_frame.svg"), PictureScaling::Stretch,
            {{150, 250}, {430, 530}}};
}

ReportPicture scrollFrame()
{
    return {QStringLiteral(":/receipt/layouts/art/scroll_frame.svg"), PictureScaling::Stretch,
            {{150, 280}, {400, 530}}};
}

} // namespace ReceiptArt
