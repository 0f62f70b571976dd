#pragma once
#include <QString>

// Text holding a lone surrogate (half of a character, as a broken paste can deliver) cannot be
// stored as it was typed: the database would join it with the character after it.
namespace BrokenText {

inline bool isBroken(const QString& text) { return !QStringView(text).isValidUtf16(); }

// True, after telling the user, when `text` cannot be stored.
bool refuse(const QString& text);

} // namespace BrokenText
