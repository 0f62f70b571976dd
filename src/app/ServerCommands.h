#pragma once
#include "store/ServerAddress.h"

class QTextStream;

// The command line's set-up of a server database: creating the program's tables in an empty
// one, or copying this computer's data folder into one. Each says what it did on `out`, or why
// not on `err`, and returns the exit status.
namespace ServerCommands {
int initialise(const ServerAddress& server, QTextStream& out, QTextStream& err);
int copyDataFolder(const QString& dataFolder, const ServerAddress& server, QTextStream& out, QTextStream& err);
} // namespace ServerCommands
