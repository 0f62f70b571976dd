#pragma once
#include <QSqlDatabase>
#include <QString>

// A random identity in each database file's header, given at the first open by this program.
// Two copies made from the same delivered files then differ in their first page, which a
// rollback journal carries: a journal cut off in one copy is never played into another
// (see LeftoverLogs). The identity is the header's application id, 0 until it is given.
namespace FileIdentity {
inline constexpr int IdentityAt = 68; // application id, in the 100-byte header
// Gives `db` an identity when it has none yet; an empty text, or why it failed (in Japanese).
QString ensure(QSqlDatabase db);
} // namespace FileIdentity
