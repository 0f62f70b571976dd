#pragma once
#include <QString>

// The folder that holds Ledrium.mdb and LedriumWork.mdb.
//  - A build tree or an unpacked copy keeps "data/" beside the program.
//  - An installed program (its own folder is not where data may live) keeps each user's data in
//    ~/.local/share/Ledrium/data/, copying the delivered templates there on the first start only.
namespace DataFolder {
QString locate();

// The installed-program rule with its folders given, for tests.
// Returns the user folder; on its first use it is created from `templates`.
QString userFolder(const QString& templates, const QString& userDataHome);
} // namespace DataFolder
