#pragma once
#include <QString>

// Where the two database files live, worked out from the data folder given at start-up.
struct DataPaths {
    QString DataFolder; // always ends with '/'
    QString MainDbPath;
    QString WorkDbPath;

    static DataPaths forFolder(const QString& folder);
};

inline constexpr const char* MainDbFileName = "Ledrium.mdb";
inline constexpr const char* WorkDbFileName = "LedriumWork.mdb";
// Held by the running copy for as long as it uses the folder; the one other file it writes there.
inline constexpr const char* LockFileName = "Ledrium.lock";
