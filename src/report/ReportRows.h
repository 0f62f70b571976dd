#pragma once
#include <QStringList>
#include <QVariantList>

#include <functional>

// The rows a run reads, in print order: named columns and a way to read one value, so
// that a run can read its caller's rows where they are.
struct ReportRows {
    QStringList columns;
    qsizetype count = 0;
    std::function<QVariant(qsizetype row, int column)> value;

    static ReportRows fromLists(const QStringList& columns, const QList<QVariantList>& values)
    {
        return {columns, values.size(), [values](qsizetype row, int column) {
                    const QVariantList& r = values.at(row);
                    return column < r.size() ? r.at(column) : QVariant();
                }};
    }
};
