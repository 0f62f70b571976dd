#pragma once
#include <QString>

// A member's e-mail address as the customer list keeps it.
namespace MailAddress {
// The address with surrounding blanks taken off, full-width letters made plain.
QString normalised(const QString& text);
// Why `text` (normalised) is no address, in Japanese; empty when it is one or is empty.
QString problem(const QString& text);
} // namespace MailAddress
