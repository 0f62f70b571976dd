#pragma once
#include "store/ServerAddress.h"

#include <QString>

#include <optional>

// Where this user's main data lives, kept in the user's settings file
// (~/.config/Ledrium/Ledrium.conf, key server/connection): a PostgreSQL server, or, when the key
// is empty or absent, the local files. A password is never written there.
namespace ServerSetting {

// The stored text as it is, empty for the local files.
QString storedText();
// The stored choice: a server, or none for the local files. A stored text libpq does not take
// gives none, with the reason in `error`; `error` stays empty for the local files.
std::optional<ServerAddress> load(QString* error);
// Keeps the choice; refuses an address that holds a password. Returns "" or the reason.
QString store(const std::optional<ServerAddress>& server);

} // namespace ServerSetting
