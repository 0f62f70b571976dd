#pragma once
#include <QString>

class QFileDevice;

// Why a file could not be written, in Japanese. A file system without room for the bytes says
// that the disk is full: the system's own text for it is often no more than an unknown error.
namespace WriteFailure {
QString describe(const QFileDevice& file, const QString& path, qint64 bytesNeeded);
} // namespace WriteFailure
