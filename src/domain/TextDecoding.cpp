#include "domain/TextDecoding.h"

#include <QStringDecoder>

namespace TextDecoding {

namespace {

// The whole file in one call: a character cut off at its end is an error, not held back.
constexpr auto Whole = QStringConverter::Flag::Stateless;

QStringDecoder decoderFor(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringConverter::Utf8, Whole);
    case Encoding::Utf16:
        return QStringDecoder(QStringConverter::Utf16, Whole);
    case Encoding::ShiftJis:
        break;
    }
    // Code page 932 by its IANA name, through ICU: it knows the vendor characters (①, ㈱, 髙)
    // and the mappings that plain Shift_JIS tables lack.
    return QStringDecoder("windows-31j", Whole);
}

} // namespace

QString displayName(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::ShiftJis:
        return QStringLiteral("Shift_JIS（Windows）");
    case Encoding::Utf16:
        return QStringLiteral("UTF-16");
    }
    return {};
}

Encoding detect(const QByteArray& bytes)
{
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        if (*marked == QStringConverter::Utf8)
            return Encoding::Utf8;
        if (*marked == QStringConverter::Utf16LE || *marked == QStringConverter::Utf16BE)
            return Encoding::Utf16;
    }
    bool clean = true;
    decode(bytes, Encoding::Utf8, &clean);
    return clean ? Encoding::Utf8 : Encoding::ShiftJis;
}

bool readsWhole(const QByteArray& bytes, Encoding encoding)
{
    // Almost any even run of bytes is UTF-16: without its byte-order mark it proves nothing.
    if (encoding == Encoding::Utf16 && detect(bytes) != Encoding::Utf16)
        return false;
    bool clean = false;
    decode(bytes, encoding, &clean);
    return clean;
}

QString decode(const QByteArray& bytes, Encoding encoding, bool* clean)
{
    QStringDecoder decoder = decoderFor(encoding);
    if (!decoder.isValid()) {
        if (clean)
            *clean = false;
        return {};
    }
    QString text = decoder.decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    // ICU marks a byte it cannot read with U+001A; show it as every other decoder does.
    if (decoder.hasError() && encoding == Encoding::ShiftJis)
        text.replace(QChar(0x1A), QChar::ReplacementCharacter);
    if (clean)
        *clean = !decoder.hasError();
    return text;
}

} // namespace TextDecoding
