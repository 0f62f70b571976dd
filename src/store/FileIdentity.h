#pragma once
#include <QSqlDatabase>
#include <QString>

// A random identity in each database file's header, so that a rollback journal, which carries
// the file's first page, is played only into the file whose save wrote it (see LeftoverLogs).
// The identity is the header's application id; the user version beside it notes where the file
// lay (device and inode) when it got it. A file found elsewhere (a copy of a data folder, which
// would otherwise share the original's identity) or never opened by this program gets a fresh
// identity at its open, after the leftover journals were checked; a file opened where it lies
// keeps its bytes, so opening alone never changes a file.
namespace FileIdentity {
inline constexpr int IdentityAt = 68; // application id, in the 100-byte header
inline constexpr int PlaceAt = 60;    // user version
// Gives `db`, opened from `path`, a fresh identity unless it has one from this place; an empty
// text, or why it failed (in Japanese).
QString ensure(QSqlDatabase db, const QString& path);
// Whether `db`, opened from `path`, has an identity from this place: the program has opened
// this very file here before. Reads only.
bool knownHere(QSqlDatabase db, const QString& path);
// Writes the identity again, unchanged, inside the write transaction the caller holds on `db`:
// page 1 goes into the rollback journal ahead of every page the transaction changes after.
// An empty text, or why it failed (in Japanese).
QString rewrite(QSqlDatabase db);
} // namespace FileIdentity
