#pragma once
// The encodings a member list arrives in: UTF-8 (with or without a byte-order mark), the
// Shift_JIS of Japanese Windows (code page 932, as spreadsheets save "CSV" there), and UTF-16
// with a byte-order mark (spreadsheets' "Unicode text").
#include <QByteArray>
#include <QString>

namespace TextDecoding {

enum class Encoding { Utf8, ShiftJis, Utf16 };
inline constexpr Encoding AllEncodings[] = {Encoding::Utf8, Encoding::ShiftJis, Encoding::Utf16};

// The name shown to the user.
QString displayName(Encoding encoding);

// A byte-order mark decides; otherwise text that is valid UTF-8 is UTF-8, and anything else
// is taken for Shift_JIS.
Encoding detect(const QByteArray& bytes);

// True when `encoding` reads every byte of `bytes` (UTF-16 only with its byte-order mark).
bool readsWhole(const QByteArray& bytes, Encoding encoding);

// The text without its byte-order mark. A byte sequence the encoding does not know becomes
// U+FFFD, and `clean` (when given) is set false.
QString decode(const QByteArray& bytes, Encoding encoding, bool* clean = nullptr);

} // namespace TextDecoding
