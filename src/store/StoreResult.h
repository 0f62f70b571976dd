#pragma once
#include <QString>

// Outcome of a write: on failure the change was rolled back and `error` says why.
struct StoreResult {
    bool ok = true;
    QString error;
    // Refused because what the save was based on has been registered anew since it was loaded
    // (see SavedVersions): reloading, not retrying, is the way on.
    bool outdated = false;

    static StoreResult success() { return {}; }
    static StoreResult failure(const QString& why) { return {false, why, false}; }
    explicit operator bool() const { return ok; }
};
