#pragma once
// Member lists written out as CSV through CsvText, with Japanese headers that the import
// recognises again.
#include <QByteArray>
#include <QString>

namespace CustomerExport {

enum class Scope {
    OnScreen,   // the named rows of the grid, with their amounts, under the shown category
    Registered, // the registered list of one category
    Every,      // the registered lists of every category
};

// The file's bytes; false with a Japanese reason when the list cannot be read.
bool document(Scope scope, const QString& category, QByteArray* bytes, QString* error);

} // namespace CustomerExport
