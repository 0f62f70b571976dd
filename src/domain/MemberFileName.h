#pragma once
#include <QDate>
#include <QString>

#include <functional>

// Names of the files a run writes one receipt each into: "YYYYMMDD_name_amount_No00041.pdf",
// safe on any file system a user may copy them to or attach them from.
namespace MemberFileName {
// Characters a file system refuses, and blanks, become "_"; the name is cut (never inside a
// character) so that the whole file name stays well within what a file system takes. An empty
// amount or number leaves its part out.
QString of(const QDate& day, const QString& name, const QString& amount, const QString& number);
// `fileName`, or with "_2", "_3"… before its extension, the first that `taken` does not claim.
QString unique(const QString& fileName, const std::function<bool(const QString&)>& taken);
} // namespace MemberFileName
