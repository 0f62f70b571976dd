#pragma once
#include <QString>
#include <QStringList>

// Writes a delivered database file from the compiled-in schema and seed rows.
// Used by the build and by tests; the program itself never creates a database.
namespace SchemaInstaller {
enum class Kind { Main, Work };
// Creates `path` whole or not at all (built beside it, then renamed). Refuses to overwrite.
bool create(const QString& path, Kind kind, QString* error = nullptr);
// The delivered pair in `folder`, skipping files that already exist.
bool createMissing(const QString& folder, QString* error = nullptr);
// The statements of a compiled-in script, each ending with ";" at a line end; "--" lines
// between statements are comments.
QStringList statementsOf(const QString& resource);
} // namespace SchemaInstaller
