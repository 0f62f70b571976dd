#pragma once
#include "report/ReportControl.h"

#include <QList>

// One drawable thing on a page, in twips from the page's top-left corner.
struct PageItem {
    const ReportControl* control = nullptr; // style: font, alignment, line style, picture
    int receipt = 0;                        // index of the cell's row in the run
    QRect cell;                             // nothing of this item is drawn outside it
    QRect box;                              // text and picture
    QLine line;
    QString text;

    ControlKind kind() const { return control->kind; }
    const QString& name() const { return control->name; }
};

struct ReportPage {
    int number = 0; // 1-based
    QList<PageItem> items;

    const PageItem* find(const QString& controlName, int receipt) const
    {
        for (const PageItem& item : items)
            if (item.receipt == receipt && item.name() == controlName)
                return &item;
        return nullptr;
    }
};
