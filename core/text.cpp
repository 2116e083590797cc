#include "text.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace zerkan {

namespace {

// Built once: the reverse of the code page, for the code points that have a byte of their own.
struct ReverseEntry {
    char32_t codePoint;
    unsigned char byte;
};

constexpr std::array<ReverseEntry, 128> BuildReverse() {
    std::array<ReverseEntry, 128> table{};
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        table[b - 0x80] = {detail::CodePointOf(static_cast<unsigned char>(b)),
                           static_cast<unsigned char>(b)};
    }
    return table;
}

constexpr std::array<ReverseEntry, 128> kReverse = BuildReverse();

char ByteFor(char32_t cp) {
    if (cp < 0x80)
        return static_cast<char>(cp);
    for (const ReverseEntry& e : kReverse) {
        if (e.codePoint == cp)
            return static_cast<char>(e.byte);
    }
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        // Every code point of the table lies in the Basic Multilingual Plane.
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

constexpr unsigned char kUpperCedilla = 0xC7, kLowerCedilla = 0xE7;     // Ç ç
constexpr unsigned char kUpperBreve = 0xD0, kLowerBreve = 0xF0;         // Ğ ğ
constexpr unsigned char kUpperUmlautO = 0xD6, kLowerUmlautO = 0xF6;     // Ö ö
constexpr unsigned char kUpperUmlautU = 0xDC, kLowerUmlautU = 0xFC;     // Ü ü
constexpr unsigned char kUpperSCedilla = 0xDE, kLowerSCedilla = 0xFE;   // Ş ş
constexpr unsigned char kDottedCapitalI = 0xDD, kDotlessSmallI = 0xFD;  // İ ı

}  // namespace

Text FromUtf8(std::string_view utf8) {
    Text out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size())
        out.push_back(ByteFor(detail::DecodeUtf8(utf8, pos)));
    return out;
}

std::string ToUtf8(std::string_view text) {
    // ASCII, nearly all of any text here, is copied a run at a time: the contents list of a long
    // molecule goes to a page in UTF-8 on every Add.
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && static_cast<unsigned char>(text[end]) < 0x80)
            ++end;
        out.append(text.substr(at, end - at));
        if (end == text.size())
            break;
        AppendUtf8(out, detail::CodePointOf(static_cast<unsigned char>(text[end])));
        at = end + 1;
    }
    return out;
}

Text FromUtf16(std::u16string_view utf16) {
    Text out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        const char16_t unit = utf16[i];
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        if (high && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF)
            ++i;  // a pair: one character outside the code page
        const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
        out.push_back(surrogate ? '?' : ByteFor(unit));
    }
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    // Every code point of the table lies in the Basic Multilingual Plane: one unit each.
    std::u16string out;
    out.reserve(text.size());
    for (char c : text)
        out.push_back(static_cast<char16_t>(detail::CodePointOf(static_cast<unsigned char>(c))));
    return out;
}

char FoldCase(char c) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b - 'A' + 'a');
    switch (b) {
        case kDottedCapitalI:
        case kDotlessSmallI:
            return 'i';
        case kUpperCedilla:
            return static_cast<char>(kLowerCedilla);
        case kUpperBreve:
            return static_cast<char>(kLowerBreve);
        case kUpperUmlautO:
            return static_cast<char>(kLowerUmlautO);
        case kUpperUmlautU:
            return static_cast<char>(kLowerUmlautU);
        case kUpperSCedilla:
            return static_cast<char>(kLowerSCedilla);
        default:
            return c;
    }
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i]))
            return false;
    }
    return true;
}

Text FormatInt(long long value) {
    Text out;
    AppendInt(out, value);
    return out;
}

Text FormatMass(double value) {
    return FormatDouble(value, 15);
}

Text FormatDouble(double value, int digits) {
#if defined(__cpp_lib_to_chars)
    // to_chars never consults the locale, so the separator is a full stop everywhere.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return Text(buffer, result.ptr);
#else
    return detail::FormatDoubleWithPrintf(value, digits);
#endif
}

std::optional<double> ParseDouble(std::string_view text) {
#if defined(__cpp_lib_to_chars)
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
#else
    return detail::ParseDoubleWithStrtod(text);
#endif
}

namespace detail {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EqualsIgnoringAsciiCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

// What from_chars takes and strtod would take more widely (blanks, plus signs, hexadecimal).
bool IsDecimalOrSpecial(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    if (EqualsIgnoringAsciiCase(text, "inf") || EqualsIgnoringAsciiCase(text, "infinity") ||
        EqualsIgnoringAsciiCase(text, "nan"))
        return true;
    if (text.size() > 4 && EqualsIgnoringAsciiCase(text.substr(0, 4), "nan(") &&
        text.back() == ')') {
        for (const char c : text.substr(4, text.size() - 5)) {
            const bool alnum = IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            if (!alnum && c != '_')
                return false;
        }
        return true;
    }
    std::size_t pos = 0, digits = 0;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.')
        ++pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos, ++digits;
    if (digits == 0)
        return false;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
            ++pos;
        const std::size_t exponentStart = pos;
        while (pos < text.size() && IsDigit(text[pos]))
            ++pos;
        if (pos == exponentStart)
            return false;
    }
    return pos == text.size();
}

// The text with its first `from` exchanged for `to`. (Built anew: g++ 12 at -O3 warns
// falsely about std::string::replace.)
std::string Exchange(std::string_view text, std::string_view from, std::string_view to) {
    const std::size_t at = text.find(from);
    if (from.empty() || at == std::string_view::npos)
        return std::string(text);
    std::string out(text.substr(0, at));
    out.append(to).append(text.substr(at + from.size()));
    return out;
}

// The locale's decimal separator, which the C library writes and reads.
std::string_view LocaleSeparator() {
    const char* point = std::localeconv()->decimal_point;
    return point != nullptr && *point != '\0' ? point : ".";
}

}  // namespace

Text FormatDoubleWithPrintf(double value, int digits) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
    // The program's numbers always use a full stop.
    return Exchange(std::string_view(buffer, static_cast<std::size_t>(length > 0 ? length : 0)),
                    LocaleSeparator(), ".");
}

std::optional<double> ParseDoubleWithStrtod(std::string_view text) {
    if (!IsDecimalOrSpecial(text))
        return std::nullopt;
    // The grammar above allows a full stop only; strtod reads the locale's separator.
    const std::string copy = Exchange(text, ".", LocaleSeparator());
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size())
        return std::nullopt;
    // Beyond the range: strtod gives infinity or zero and says so; a denormal is a value.
    if (errno == ERANGE && (std::isinf(value) || value == 0.0))
        return std::nullopt;
    return value;
}

}  // namespace detail

void AppendInt(Text& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void AssignWithNumber(Text& out, std::string_view pattern, long long value) {
    const std::size_t at = pattern.find("%d");
    if (at == std::string_view::npos) {
        out.assign(pattern);
        return;
    }
    out.assign(pattern.substr(0, at));
    AppendInt(out, value);
    out.append(pattern.substr(at + 2));
}

Text FormatWithNumber(std::string_view pattern, long long value) {
    Text out;
    AssignWithNumber(out, pattern, value);
    return out;
}

}  // namespace zerkan
