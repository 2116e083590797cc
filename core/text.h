#pragma once

// Texts of the program are Windows-1254 byte strings: one byte is one character, so lengths
// and caret positions are byte counts. Literals are written as readable UTF-8 and converted
// at compile time with the _w suffix.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zerkan {

using Text = std::string;  // Windows-1254 bytes

namespace detail {

// Unicode code point of each byte 0x80..0x9F; bytes the code page leaves undefined keep their
// C1 code point so that every byte survives a round trip.
inline constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};

constexpr char32_t CodePointOf(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    switch (byte) {
        case 0xD0:
            return 0x011E;  // Ğ
        case 0xDD:
            return 0x0130;  // İ
        case 0xDE:
            return 0x015E;  // Ş
        case 0xF0:
            return 0x011F;  // ğ
        case 0xFD:
            return 0x0131;  // ı
        case 0xFE:
            return 0x015F;  // ş
        default:
            return byte;
    }
}

// The byte for a code point, or '?' when the code page has none.
constexpr char ByteOf(char32_t cp) {
    if (cp < 0x80)
        return static_cast<char>(cp);
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        if (CodePointOf(static_cast<unsigned char>(b)) == cp)
            return static_cast<char>(b);
    }
    return '?';
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Malformed input yields U+FFFD and
// consumes one byte, so decoding always ends.
constexpr char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (pos + static_cast<std::size_t>(extra) >= text.size()) {
        ++pos;
        return 0xFFFD;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += static_cast<std::size_t>(extra) + 1;
    return cp;
}

template <std::size_t N>
struct Utf8Literal {
    char bytes[N]{};
    std::size_t size = 0;  // in Windows-1254 characters
    consteval Utf8Literal(const char (&utf8)[N]) {
        const std::string_view in(utf8, N - 1);
        std::size_t pos = 0;
        while (pos < in.size())
            bytes[size++] = ByteOf(DecodeUtf8(in, pos));
    }
};

template <Utf8Literal L>
inline constexpr Utf8Literal kConverted = L;

}  // namespace detail

// "Sıfırla"_w is the Windows-1254 form of the literal, converted by the compiler.
template <detail::Utf8Literal L>
constexpr std::string_view operator""_w() {
    return {detail::kConverted<L>.bytes, detail::kConverted<L>.size};
}

// Conversions at the window's boundary. Characters outside the code page become '?'.
Text FromUtf8(std::string_view utf8);
std::string ToUtf8(std::string_view text);
// The same for a window system that speaks UTF-16: a surrogate pair is one character (one '?'),
// a lone surrogate is '?'.
Text FromUtf16(std::u16string_view utf16);
std::u16string ToUtf16(std::string_view text);

// The one rule for comparing letters without regard to case: ASCII letters, the Turkish pairs
// Ç/ç Ğ/ğ Ö/ö Ş/ş Ü/ü, and I, ı, İ, i as one letter.
char FoldCase(char c);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);

// Signed decimal without leading zeros or blanks.
Text FormatInt(long long value);
// Shortest general form with at most 15 significant digits, always with a full stop.
Text FormatMass(double value);
// The general form with at most `digits` significant digits (printf's %.*g in the C locale),
// always with a full stop.
Text FormatDouble(double value, int digits);
// The whole text read as a decimal number exactly as std::from_chars reads one: an optional
// minus sign, no blanks, no plus sign, no hexadecimal; "inf" and "nan" allowed. Nothing when
// the text is not such a number or its value lies beyond a double's range.
std::optional<double> ParseDouble(std::string_view text);

namespace detail {
// The same two through the C library, for standard libraries without floating-point
// to_chars and from_chars (emscripten's); every build has them, so tests can compare.
Text FormatDoubleWithPrintf(double value, int digits);
std::optional<double> ParseDoubleWithStrtod(std::string_view text);
}  // namespace detail
// Replaces the first "%d" of a pattern with the value in signed decimal.
Text FormatWithNumber(std::string_view pattern, long long value);
// The same two formats written into an existing text, reusing its storage.
void AppendInt(Text& out, long long value);
void AssignWithNumber(Text& out, std::string_view pattern, long long value);

}  // namespace zerkan
