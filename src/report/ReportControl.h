#pragma once
#include <QColor>
#include <QImage>
#include <QLine>
#include <QList>
#include <QPair>
#include <QRect>
#include <QString>

// One control of a report layout: where it sits in its cell (twips) and how it is drawn.
enum class ControlKind { Label, Field, Line, Picture };
enum class LineStyle { Solid, Dotted, DashDotDot };
enum class PictureScaling { Fit, Stretch };

// A picture in the resources and how it fills its box. A stretched picture may name
// horizontal spans (in the artwork's own units) that take up all the stretching, so that
// crowns and corner pieces keep their shape on a box of another proportion.
struct ReportPicture {
    QString path;
    PictureScaling scaling = PictureScaling::Fit;
    QList<QPair<qreal, qreal>> stretchSpans;
    // A picture given as a finished image instead (the issuer's seal): drawn as it is, the same
    // image every time, so that a PDF embeds it once.
    QImage image = {};
};

struct ReportControl {
    ControlKind kind = ControlKind::Label;
    QString name;
    QRect box;                 // label, field, picture
    QLine line;                // line: its two end points
    qreal fontPt = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool underline = false;
    QColor colour = Qt::black;
    QString text;              // a label's caption
    QString column;            // the row column a field shows
    LineStyle lineStyle = LineStyle::Solid;
    ReportPicture picture;
    // A one-line text whose box was drawn narrower than the fixed pattern it holds (a date)
    // runs on to the right, up to its cell's edge, before it is made smaller.
    bool runsOn = false;
    // A text drawn centred in a dashed frame around its box; nothing at all where its text is empty.
    bool framed = false;

    bool isText() const { return kind == ControlKind::Label || kind == ControlKind::Field; }

    ReportControl underlined() const
    {
        ReportControl c = *this;
        c.underline = true;
        return c;
    }
    ReportControl runningOn() const
    {
        ReportControl c = *this;
        c.runsOn = true;
        return c;
    }
    ReportControl coloured(const QColor& colour_) const
    {
        ReportControl c = *this;
        c.colour = colour_;
        return c;
    }
};

namespace Controls {
ReportControl label(const QString& name, int left, int top, int width, int height, qreal pt, Qt::Alignment alignment,
                    const QString& text);
ReportControl field(const QString& name, int left, int top, int width, int height, qreal pt, Qt::Alignment alignment,
                    const QString& column = QString());
ReportControl line(const QString& name, int x1, int y1, int x2, int y2, LineStyle style);
ReportControl picture(const QString& name, int left, int top, int width, int height, const ReportPicture& picture);
} // namespace Controls
