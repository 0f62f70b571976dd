#pragma once
#include <QSqlDatabase>
#include <QString>

// At start: the register entries of an output that a killed program left pending are voided,
// their numbers kept, and the treasurer is told which numbers to look for on paper.
namespace AbandonedOutputs {
// Empty when there were none; otherwise what to tell the user (also when voiding failed).
QString settle(QSqlDatabase mainDb);
} // namespace AbandonedOutputs
