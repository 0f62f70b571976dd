#include "report/ReportControl.h"

namespace Controls {

ReportControl label(const QString& name, int left, int top, int width, int height, qreal pt, Qt::Alignment alignment,
                    const QString& text)
{
    ReportControl c;
    c.kind = ControlKind::Label;
    c.name = name;
    c.box = QRect(left, top, width, height);
    c.fontPt = pt;
    c.alignment = alignment;
    c.text = text;
    return c;
}

ReportControl field(const QString& name, int left, int top, int width, int height, qreal pt, Qt::Alignment alignment,
                    const QString& column)
{
    ReportControl c = label(name, left, top, width, height, pt, alignment, QString());
    c.kind = ControlKind::Field;
    c.column = column;
    return c;
}

ReportControl line(const QString& name, int x1, int y1, int x2, int y2, LineStyle style)
{
    ReportControl c;
    c.kind = ControlKind::Line;
    c.name = name;
    c.line = QLine(x1, y1, x2, y2);
    c.lineStyle = style;
    return c;
}

ReportControl picture(const QString& name, int left, int top, int width, int height, const ReportPicture& picture)
{
    ReportControl c;
    c.kind = ControlKind::Picture;
    c.name = name;
    c.box = QRect(left, top, width, height);
    c.picture = picture;
    return c;
}

} // namespace Controls
