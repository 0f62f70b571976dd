#include "report/ReportLayout.h"

#include <algorithm>

int ReportLayout::rowsPerPage() const
{
    if (cellHeight <= 0)
        return 1;
    return std::max(1, (paper.height() - margins.top() - margins.bottom()) / cellHeight);
}

int ReportLayout::cellsPerPage() const
{
    return rowsPerPage() * std::max(1, columns);
}

QPoint ReportLayout::cellOrigin(int indexOnPage) const
{
    const int cols = std::max(1, columns);
    return {margins.left() + (indexOnPage % cols) * cellWidth, margins.top() + (indexOnPage / cols) * cellHeight};
}

const ReportControl* ReportLayout::control(const QString& controlName) const
{
    for (const ReportControl& c : controls)
        if (c.name == controlName)
            return &c;
    return nullptr;
}

ReportControl* ReportLayout::control(const QString& controlName)
{
    for (ReportControl& c : controls)
        if (c.name == controlName)
            return &c;
    return nullptr;
}
