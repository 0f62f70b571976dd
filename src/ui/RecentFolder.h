#pragma once
#include <QString>

// The folder the user last chose a file in, kept in the user's settings file
// (~/.config/Ledrium/Ledrium.conf), so that every file dialog opens where the user saved last,
// across starts. Before any choice, or when that folder has gone, the documents folder.
namespace RecentFolder {
// A path to offer in a file dialog: `fileName` in the last folder used.
QString suggest(const QString& fileName = QString());
// Notes the folder of a path the user chose; an empty path (a cancelled dialog) changes nothing.
void remember(const QString& chosenPath);
} // namespace RecentFolder
