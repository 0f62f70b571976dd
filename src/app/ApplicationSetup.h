#pragma once

class QApplication;
class QString;

// Japanese standard-dialog texts and the program's font, for the program and its tests alike.
namespace ApplicationSetup {
inline constexpr const char* FontName = "ＭＳ Ｐゴシック";
inline constexpr const char* SubstituteFont = "IPAPGothic";
void apply(QApplication& app);
// The family to ask for: the layout's font where it is installed, else its substitute.
// Asking for a missing family costs each font a failed match and its own fallback search.
QString fontFamily();
} // namespace ApplicationSetup
