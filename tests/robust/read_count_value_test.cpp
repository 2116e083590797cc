// ReadCountValue on any text a paste can bring into the count field: a defined 32-bit value,
// never an error. The rule: leading blanks, an optional minus sign, then digits up to the
// first other character; no digits reads 0; beyond the 32-bit range the value is clamped.

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "core/composition_state.h"
#include "tests/support/gesture.h"
#include "tests/support/memory_surface.h"
#include "tests/support/session.h"

namespace zerkan::robust {
namespace {

struct Reading {
    const char* text;  // UTF-8, converted to the code page as the window would
    int value;
};

const Reading kReadings[] = {
    // plain and empty
    {"", 0},
    {"0", 0},
    {"007", 7},
    {"999999999", 999999999},
    {"0000000000000000000000001", 1},
    // the 32-bit edges and beyond
    {"2147483647", INT_MAX},
    {"2147483648", INT_MAX},
    {"4294967296", INT_MAX},
    {"99999999999999999999999999", INT_MAX},
    {"-2147483648", INT_MIN},
    {"-2147483649", INT_MIN},
    {"-99999999999999999999999999", INT_MIN},
    {"-0", 0},
    {" -0", 0},
    // signs
    {"-5", -5},
    {"+5", 0},
    {"--5", 0},
    {"-", 0},
    {"- 5", 0},
    {"5-", 5},
    // blanks
    {"   12", 12},
    {"\t\r\n\v\f-3", -3},
    {"  ", 0},
    {"1 2", 1},
    {"12 ", 12},
    // digits mixed with other characters
    {"12abc", 12},
    {"12ab3", 12},
    {"abc12", 0},
    {"3.7", 3},
    {"1e9", 1},
    {"0x1F", 0},
    {"٣", 0},     // Arabic-Indic digit: outside the code page, becomes '?'
    {"１２", 0},  // full-width digits, likewise
    {"5ı", 5},    // a Turkish letter after the digits
    {"ş5", 0},
    {"€100", 0},  // a code page byte above 0x7F in front
};

class ReadCountValueTest : public ::testing::Test {
  protected:
    ReadCountValueTest() : window(state) { window.Initialise(); }
    CompositionState state;
    MemorySurface window;
};

TEST_F(ReadCountValueTest, EveryTextReadsAsTheRuleSays) {
    for (const Reading& r : kReadings) {
        SCOPED_TRACE(r.text);
        const Text text = FromUtf8(r.text);
        window.SetText(ControlId::CountField, text);
        EXPECT_EQ(window.ReadCountValue(), r.value);
        EXPECT_EQ(ReadCountText(text), r.value);
        // The change handler ran inside SetText and stored the same reading.
        EXPECT_EQ(state.count, r.value);
    }
}

TEST_F(ReadCountValueTest, TypingKeepsDigitsOnlyAndNineAtMost) {
    const Reading typed[] = {
        {"2147483648", 214748364},
        {"-5", 5},
        {"12abc34", 1234},
        {"9999999999999", 999999999},
        {"٣٤", 0},
        {"0000000007", 0},
        {" 0 0 7 ", 7},
        {"", 0},
    };
    for (const Reading& r : typed) {
        SCOPED_TRACE(r.text);
        test::Apply(window, test::Gesture::TypeCount(FromUtf8(r.text)));
        EXPECT_EQ(state.count, r.value);
        EXPECT_GE(state.count, 0);
        EXPECT_LE(window.GetText(ControlId::CountField).size(), 9u);
    }
}

// A second, independent statement of the rule, over texts drawn at random from the bytes
// that matter (digits, signs, blanks, letters, high bytes).
long long ReferenceReading(const Text& text) {
    std::size_t pos = text.find_first_not_of(" \t\r\n\v\f");
    if (pos == Text::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '-') {
        negative = true;
        ++pos;
    }
    std::string digits;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
        digits += text[pos++];
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) {
        digits = limit;
    }
    const long long magnitude = digits.empty() ? 0 : std::stoll(digits);
    return negative ? -magnitude : magnitude;
}

TEST(ReadCountText, AgreesWithAnIndependentReadingOnRandomTexts) {
    Random random(20261207);
    const char alphabet[] = "0123456789000999-- \t+.a\xFD\xDD\x80\xFF";
    for (int i = 0; i < 200000; ++i) {
        Text text;
        for (int n = random.Below(25); n > 0; --n) {
            text += alphabet[random.Below(static_cast<int>(sizeof alphabet) - 1)];
        }
        ASSERT_EQ(ReadCountText(text), ReferenceReading(text)) << ToUtf8(text);
    }
}

}  // namespace
}  // namespace zerkan::robust
