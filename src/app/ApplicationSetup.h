#pragma once

class QApplication;

// Japanese standard-dialog texts and the program's font, for the program and its tests alike.
namespace ApplicationSetup {
inline constexpr const char* FontName = "ＭＳ Ｐゴシック";
inline constexpr const char* SubstituteFont = "IPAPGothic";
void apply(QApplication& app);
} // namespace ApplicationSetup
