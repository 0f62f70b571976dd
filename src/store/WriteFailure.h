#pragma once
#include <QString>

class QFileDevice;
class QSqlError;

// Why a write failed, in Japanese. A file system without room says that the disk is full: the
// system's own text for it is often no more than an unknown error (a short write sets none), or
// English (SQLite's "database or disk is full").
namespace WriteFailure {
// `file` failed to open, write or commit `path`, which was to hold `bytesNeeded` bytes.
QString describe(const QFileDevice& file, const QString& path, qint64 bytesNeeded);
// A failed statement or commit: full disk in Japanese, anything else as the driver says it.
QString describe(const QSqlError& error);
} // namespace WriteFailure
