#pragma once
#include <QString>

// Outcome of a write: on failure the change was rolled back and `error` says why.
struct StoreResult {
    bool ok = true;
    QString error;

    static StoreResult success() { return {}; }
    static StoreResult failure(const QString& why) { return {false, why}; }
    explicit operator bool() const { return ok; }
};
