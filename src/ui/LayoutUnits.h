#pragma once
#include <QColor>
#include <QRect>
#include <QtMath>

// The window's layout is drawn up in twips (1/1440 inch) with colours as &HBBGGRR values;
// every conversion to pixels and QColor happens here.
namespace LayoutUnits {
inline constexpr double TwipsPerPixel = 15.0; // 96 dpi

inline int px(double twips) { return qRound(twips / TwipsPerPixel); }

inline QRect rect(double left, double top, double width, double height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

// &HBBGGRR: red in the low byte, blue in the high byte.
inline QColor colour(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}
} // namespace LayoutUnits
