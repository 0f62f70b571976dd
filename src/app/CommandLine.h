#pragma once
#include "store/Connections.h"

#include <QStringList>

class QTextStream;

// The program without its window: writes a category's receipts, or blank forms, to a PDF file
// exactly as the window's list run or blank run would, and issues the numbers as PDF保存 does.
//   ledrium --pdf FILE --paper TYPE (--category NAME | --blank COUNT)
//           [--date YYYY-MM-DD] [--no-date] [--no-amount] [--no-number]
namespace CommandLine {
// True when the arguments ask for the command line rather than the window.
bool wanted(const QStringList& arguments);
// Runs it on the data folder; the exit status. Results go to `out`, messages to `err`.
// `check`: whether opening reads every page of the data files even when they were opened here
// before (as after a run that ended without closing).
int run(const QStringList& arguments, const QString& dataFolder, QTextStream& out, QTextStream& err,
        WholeFileCheck check = WholeFileCheck::Always);
} // namespace CommandLine
