#pragma once
#include <QStringList>
#include <QVariantList>

// The rows a run reads: named columns, one value list per row, in print order.
struct ReportRows {
    QStringList columns;
    QList<QVariantList> values;
};
