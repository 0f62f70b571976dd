#pragma once
#include <QString>

#include <optional>

// Choosing the folder the kept PDF files go into, once for the data set: the files kept so far
// are copied there first (and stay where they were), so the register finds every one of them.
namespace ArchiveFolderChoice {
// Asks the user, copies, and stores the choice. Returns what to tell the user when done; nothing
// when the user declined, or when it failed (then the user has been told why, and the folder in
// use is unchanged).
std::optional<QString> moveTo(const QString& folder);
} // namespace ArchiveFolderChoice
