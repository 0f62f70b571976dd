#pragma once
#include <QString>

// Where the two database files live. Set once at start-up and never changed afterwards.
struct DataPaths {
    QString DataFolder; // always ends with '/'
    QString MainDbPath;
    QString WorkDbPath;

    static DataPaths forFolder(const QString& folder);
    static DataPaths& current();
};

inline constexpr const char* MainDbFileName = "Ledrium.mdb";
inline constexpr const char* WorkDbFileName = "LedriumWork.mdb";
// Held by the running copy for as long as it uses the folder; the one other file it writes there.
inline constexpr const char* LockFileName = "Ledrium.lock";
