#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <locale>
#include <optional>
#include <vector>
#include <version>

#include "core/text.h"

namespace zerkan {
namespace {

struct Letter {
    const char* utf8;
    unsigned char byte;
};

TEST(TextConversion, TurkishLettersHaveTheirCodePageBytes) {
    const Letter letters[] = {{"Ç", 0xC7}, {"ç", 0xE7}, {"Ğ", 0xD0}, {"ğ", 0xF0}, {"İ", 0xDD},
                              {"ı", 0xFD}, {"Ö", 0xD6}, {"ö", 0xF6}, {"Ş", 0xDE}, {"ş", 0xFE},
                              {"Ü", 0xDC}, {"ü", 0xFC}, {"€", 0x80}, {"™", 0x99}};
    for (const Letter& l : letters) {
        const Text byte(1, static_cast<char>(l.byte));
        EXPECT_EQ(FromUtf8(l.utf8), byte) << l.utf8;
        EXPECT_EQ(ToUtf8(byte), l.utf8) << l.utf8;
    }
    EXPECT_EQ(Text("Sıfırla"_w), FromUtf8("Sıfırla"));
    EXPECT_EQ("Sıfırla"_w.size(), 7u);
}

TEST(TextConversion, EveryByteSurvivesARoundTrip) {
    for (int b = 0; b < 256; ++b) {
        const Text byte(1, static_cast<char>(b));
        EXPECT_EQ(FromUtf8(ToUtf8(byte)), byte) << b;
        EXPECT_EQ(FromUtf16(ToUtf16(byte)), byte) << b;
    }
}

TEST(TextConversion, Utf16CarriesTheSameCharacters) {
    EXPECT_EQ(ToUtf16("Şİğ€"_w), u"Şİğ€");
    const std::pair<std::u16string_view, const char*> cases[] = {
        {u"Sıfırla", "Sıfırla"},
        {u"Ð", "?"},
        {u"a😀b", "a?b"},  // a pair is one character
        {std::u16string_view(u"a\xD800"
                             u"b",
                             3),
         "a?b"},                                          // lone high surrogate
        {std::u16string_view(u"\xDC00\xD800", 2), "??"},  // reversed pair
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FromUtf16(in), FromUtf8(out)) << out;
}

TEST(TextConversion, CharactersOutsideTheCodePageAndBrokenUtf8BecomeQuestionMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ð", "?"},      // Latin-1 letter whose byte holds Ğ here
        {"Ž", "?"},      // in Windows-1252 but not in 1254
        {"漢字", "??"},  // three-byte sequences
        {"a😀b", "a?b"},  // four-byte sequence
        {"a\xFF"
         "b",
         "a?b"},                 // byte that starts nothing
        {"\xC3", "?"},           // truncated sequence
        {"\xC0\xAF", "??"},      // overlong form
        {"\xED\xA0\x80", "???"}  // surrogate
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(FromUtf8(in), out) << in;
}

TEST(CaseFolding, TurkishPairsAndTheFourIsAreOneLetter) {
    EXPECT_TRUE(StartsWithIgnoringCase(FromUtf8("İyod"), FromUtf8("iyod")));
    EXPECT_TRUE(StartsWithIgnoringCase(FromUtf8("İyod"), FromUtf8("IYOD")));
    EXPECT_TRUE(StartsWithIgnoringCase(FromUtf8("iıIİ"), FromUtf8("İIıi")));
    EXPECT_TRUE(StartsWithIgnoringCase(FromUtf8("ÇĞÖŞÜ"), FromUtf8("çğöşü")));
    EXPECT_TRUE(StartsWithIgnoringCase(FromUtf8("Oksijen"), "oKs"));
    EXPECT_TRUE(StartsWithIgnoringCase("Oksijen", ""));
    EXPECT_FALSE(StartsWithIgnoringCase("Ok", "Oksijen"));
    EXPECT_FALSE(StartsWithIgnoringCase(FromUtf8("ç"), "c"));
    EXPECT_FALSE(StartsWithIgnoringCase(FromUtf8("ü"), "u"));
    EXPECT_FALSE(StartsWithIgnoringCase(FromUtf8("é"), FromUtf8("É")));  // not a Turkish pair
}

TEST(NumberFormat, MassesUseFifteenSignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "0"},
        {18.01528, "18.01528"},
        {2 * 1.00794 + 15.9994, "18.01528"},
        {std::nextafter(2.01588, 3.0), "2.01588"},
        {std::nextafter(2.01588, 0.0), "2.01588"},
        {277.0, "277"},
        {0.00001, "1e-05"},
        {0.0001, "0.0001"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1e+15"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(FormatMass(value), text) << value;
}

struct CommaPoint : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(NumberFormat, MassIgnoresTheLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale(), new CommaPoint));
    // A Turkish C locale, where one is installed, writes a decimal comma in printf.
    for (const char* name : {"tr_TR.UTF-8", "tr_TR", "de_DE.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr)
            break;
    }
    const Text shown = FormatMass(18.01528);
    std::setlocale(LC_NUMERIC, "C");
    std::locale::global(previous);
    EXPECT_EQ(shown, "18.01528");
}

TEST(NumberFormat, DecimalTextReadsAsFromCharsReadsIt) {
    const double nothing = -12345.0;  // stands for "not a number text"
    const std::pair<const char*, double> cases[] = {
        {"18.01528", 18.01528}, {"-0.5", -0.5},      {".5", 0.5},      {"5.", 5.0},
        {"1E5", 1e5},           {"1e+5", 1e5},       {"00012", 12.0},  {"4e-320", 4e-320},
        {"1e400", nothing},     {"1e-400", nothing}, {"", nothing},    {"-", nothing},
        {".", nothing},         {"1e", nothing},     {"+5", nothing},  {" 5", nothing},
        {"5 ", nothing},        {"0x10", nothing},   {"1,5", nothing}, {"--1", nothing},
    };
    for (const auto& [text, expected] : cases) {
        const std::optional<double> value = ParseDouble(text);
        if (expected == nothing)
            EXPECT_FALSE(value.has_value()) << text;
        else
            EXPECT_EQ(value, expected) << text;
    }
    EXPECT_TRUE(std::isinf(ParseDouble("-Infinity").value_or(0)));
    EXPECT_TRUE(std::isnan(ParseDouble("nan(x1_)").value_or(0)));
}

// Where the standard library converts doubles itself, the C library's path must give the same
// bytes and values, so that a build that has only the latter prints what the others print.
TEST(NumberFormat, CLibraryPathAgreesWithTheStandardLibrary) {
#if !defined(__cpp_lib_to_chars)
    GTEST_SKIP() << "this standard library has only the C library's path";
#else
    std::vector<double> values = {0.0,
                                  -0.0,
                                  18.01528,
                                  1e15,
                                  1e-5,
                                  5e-324,
                                  1.7976931348623157e308,
                                  277.0,
                                  999999999.0 * 277.0,
                                  1.0 / 3.0};
    std::uint64_t bits = 0x9E3779B97F4A7C15u;
    for (int i = 0; i < 2000; ++i) {
        bits ^= bits << 13, bits ^= bits >> 7, bits ^= bits << 17;
        double value = 0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const double value : values) {
        for (const int digits : {15, 17}) {
            const Text text = FormatDouble(value, digits);
            ASSERT_EQ(detail::FormatDoubleWithPrintf(value, digits), text) << value;
            ASSERT_EQ(detail::ParseDoubleWithStrtod(text), ParseDouble(text)) << text;
        }
    }
    for (const char* text : {"1e400", "1e-400", "4e-320", "inf", "nan(abc)", "0x10", "1e", ".5"})
        EXPECT_EQ(detail::ParseDoubleWithStrtod(text).has_value(), ParseDouble(text).has_value())
            << text;
#endif
}

TEST(NumberFormat, IntegersAndPatterns) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(-5), "-5");
    EXPECT_EQ(FormatInt(INT_MIN), "-2147483648");
    EXPECT_EQ(FormatWithNumber("%d. Elementi Seçiniz."_w, 3), FromUtf8("3. Elementi Seçiniz."));
    EXPECT_EQ(FormatWithNumber("%d-%d", -7), "-7-%d");
    EXPECT_EQ(FormatWithNumber("no number", 7), "no number");
    Text kept = "old";
    AssignWithNumber(kept, "Proton Sayısı:%d"_w, 112);
    EXPECT_EQ(ToUtf8(kept), "Proton Sayısı:112");
}

}  // namespace
}  // namespace zerkan
