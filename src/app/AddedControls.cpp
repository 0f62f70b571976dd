#include "app/AddedControls.h"

namespace AddedControls {

namespace {
constexpr quint32 Caption = 0x4A5F32;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, double left, double top, double width)
{
    auto* label = place<QLabel>(parent, name, left, top, width, 255, 10.5);
    label->setText(text);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, LayoutUnits::colour(Caption));
    label->setPalette(palette);
    return label;
}

} // namespace AddedControls
