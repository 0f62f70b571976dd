#pragma once
#include <QString>

struct DataPaths;

// The program's own files, as output targets: the two databases it holds open, their
// journals and logs, and the lock of their folder, and any other file the program holds open.
// A PDF or CSV file written over one of them (by name, through a link, a chain of links, a
// dangling one or a hard link) would destroy the data, so every output the user names asks here
// first.
namespace OwnFiles {
// Empty when `target` may be written; otherwise why not, in Japanese, naming the file.
QString refusal(const QString& target);
// The same for the data folder of `paths`, before its databases are opened.
QString refusal(const QString& target, const DataPaths& paths);
} // namespace OwnFiles
