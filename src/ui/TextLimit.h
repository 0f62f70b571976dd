#pragma once
class QLineEdit;

// Text boxes and grid cells take at most MaximumLength UTF-16 units. A paste, drop or typed
// text that would make the text longer is refused whole and the user is told why; nothing is
// ever cut to fit (Qt's own length limit would keep the start of it without a word).
namespace TextLimit {
inline constexpr int MaximumLength = 32767;

// Guards `edit`; a box that already has a validator is left to it.
void guard(QLineEdit* edit);
} // namespace TextLimit
