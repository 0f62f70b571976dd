#pragma once
#include "report/ReportFont.h"
#include "ui/LayoutUnits.h"

#include <QLabel>
#include <QString>
#include <QWidget>

// Controls added beside the fixed layout of a page: placed in twips, in the report font, as the
// page's own controls are.
namespace AddedControls {

template <class T> T* place(QWidget* parent, const char* name, double left, double top, double width, double height,
                            double points = 9)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromUtf8(name));
    QFont font(ReportFont::family());
    font.setPointSizeF(points);
    widget->setFont(font);
    widget->setGeometry(LayoutUnits::rect(left, top, width, height));
    return widget;
}

// A caption coloured as the settings page's own captions.
QLabel* caption(QWidget* parent, const char* name, const QString& text, double left, double top, double width);

} // namespace AddedControls
