#pragma once
#include "report/ReportControl.h"

#include <QHash>
#include <QImage>

struct ReportLayout;

// Renders each picture once per box size at a fixed print resolution and hands out the
// same QImage every time, so that a PDF embeds it once and a preview repaints quickly.
class PictureCache {
public:
    static constexpr int DotsPerInch = 300;

    struct Placed {
        QImage image;
        QRectF area; // the part of the box it covers, relative to the box's top-left corner
    };

    // The image for a picture drawn into a box of the given size (twips). A fitted picture
    // keeps its proportions and is centred in its box; a stretched one fills it.
    const Placed& get(const ReportPicture& picture, const QSize& boxTwips);
    // Renders ahead every picture of the layout in the box it is drawn in on every receipt,
    // so that drawing finds them made. A copy of the cache shares the images it holds.
    void prepare(const ReportLayout& layout);
    static QRectF placement(const ReportPicture& picture, const QRectF& box);
    static QSizeF naturalSize(const QString& path);

private:
    QHash<QString, Placed> images_;
};
