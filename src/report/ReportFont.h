#pragma once
#include <QString>

// The font every receipt and the program's own texts are set in.
namespace ReportFont {
inline constexpr const char* Name = "ＭＳ Ｐゴシック";
// Metric-compatible with Name; fontconfig knows no alias between the two.
inline constexpr const char* Substitute = "IPAPGothic";
// The family to ask for: Name where it is installed, else its substitute. Asking for a
// missing family costs each font a failed match and its own fallback search.
QString family();
} // namespace ReportFont
