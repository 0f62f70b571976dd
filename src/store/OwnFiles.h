#pragma once
#include <QString>

// The program's own files, as output targets: the two databases it holds open, their
// journals and logs, and the lock of their folder. A PDF or CSV file written over one of them
// (by name, through a link, a chain of links or a dangling one) would destroy the data, so
// every output the user names asks here first.
namespace OwnFiles {
// Empty when `target` may be written; otherwise why not, in Japanese, naming the file.
QString refusal(const QString& target);
} // namespace OwnFiles
