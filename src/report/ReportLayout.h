#pragma once
#include "report/ReportControl.h"

#include <QHash>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

// A layout: the page, the margins, the cell grid and the controls of one cell, drawn in list order.
struct ReportLayout {
    QString name;
    QString caption;             // titles the preview window
    QSize paper{11906, 16838};   // A4 portrait in twips
    QMargins margins;            // left, top, right, bottom
    int cellWidth = 0;
    int cellHeight = 4100;
    int columns = 1;             // cells fill a row left to right, then the next row
    QList<ReportControl> controls;
    QRect sealRoom;              // in the cell: the largest seal it takes, pressed at its bottom right

    int rowsPerPage() const;
    int cellsPerPage() const;
    QPoint cellOrigin(int indexOnPage) const;
    const ReportControl* control(const QString& controlName) const;
    ReportControl* control(const QString& controlName);
};
