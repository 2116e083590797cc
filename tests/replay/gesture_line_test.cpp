#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "tests/support/gesture_line.h"

namespace zerkan::test {
namespace {

using namespace std::string_view_literals;

struct GoodLine {
    std::string_view line;
    Gesture::Kind kind;
    ControlId control;
    int index;
    Text text;
};

class ParsesEvent : public testing::TestWithParam<GoodLine> {};

TEST_P(ParsesEvent, IntoTheEventItNames) {
    const GoodLine& row = GetParam();
    std::string error;
    const auto event = ParseReplayLine(row.line, error);
    ASSERT_TRUE(event.has_value()) << row.line << ": " << error;
    EXPECT_EQ(event->kind, row.kind);
    if (row.kind != Gesture::Kind::TypeCount) {
        EXPECT_EQ(event->control, row.control);
    }
    if (row.kind == Gesture::Kind::Choose) {
        EXPECT_EQ(event->index, row.index);
    }
    EXPECT_EQ(event->text, row.text);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParsesEvent,
    testing::Values(GoodLine{R"({"ev":"choose","picker":"NamePicker","index":7})",
                             Gesture::Kind::Choose, ControlId::NamePicker, 7, ""},
                    GoodLine{R"({"ev":"choose","picker":"NumberPicker","index":0})",
                             Gesture::Kind::Choose, ControlId::NumberPicker, 0, ""},
                    GoodLine{R"({"index":111,"picker":"SymbolPicker","ev":"choose"})",
                             Gesture::Kind::Choose, ControlId::SymbolPicker, 111, ""},
                    GoodLine{R"(  {"ev":"type","picker":"SymbolPicker","text":"s "}  )"
                             "\r",
                             Gesture::Kind::Type, ControlId::SymbolPicker, 0, "s "},
                    // UTF-8 in, Windows-1254 out: İ is 0xDD, ç 0xE7, ı 0xFD.
                    GoodLine{R"({"ev":"type","picker":"NamePicker","text":"İYOD"})",
                             Gesture::Kind::Type, ControlId::NamePicker, 0, "\xDDYOD"},
                    GoodLine{R"({"ev":"type","picker":"NamePicker","text":"\u00e7\u0131"})",
                             Gesture::Kind::Type, ControlId::NamePicker, 0, "\xE7\xFD"},
                    // Outside the code page: what the window makes of it too.
                    GoodLine{R"({"ev":"type","picker":"NamePicker","text":"日"})",
                             Gesture::Kind::Type, ControlId::NamePicker, 0, "?"},
                    GoodLine{R"({"ev":"type","picker":"NamePicker","text":""})",
                             Gesture::Kind::Type, ControlId::NamePicker, 0, ""},
                    GoodLine{R"({"ev":"type_count","text":"0a07"})", Gesture::Kind::TypeCount,
                             ControlId::SearchButton, 0, "0a07"},
                    GoodLine{R"({"ev":"click","button":"SearchButton"})", Gesture::Kind::Click,
                             ControlId::SearchButton, 0, ""},
                    GoodLine{R"({"ev":"click","button":"AddButton"})", Gesture::Kind::Click,
                             ControlId::AddButton, 0, ""},
                    GoodLine{R"({"ev":"click","button":"UndoButton"})", Gesture::Kind::Click,
                             ControlId::UndoButton, 0, ""},
                    GoodLine{R"({"ev":"click","button":"ResetButton"})", Gesture::Kind::Click,
                             ControlId::ResetButton, 0, ""}));

struct BadLine {
    std::string_view line;
    std::string_view reason;  // part of the error text
};

class RefusesLine : public testing::TestWithParam<BadLine> {};

TEST_P(RefusesLine, SayingWhy) {
    const BadLine& row = GetParam();
    std::string error;
    const auto event = ParseReplayLine(row.line, error);
    EXPECT_FALSE(event.has_value()) << row.line;
    EXPECT_NE(error.find(row.reason), std::string::npos) << row.line << " gave \"" << error << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RefusesLine,
    testing::Values(
        BadLine{"", "not valid JSON"}, BadLine{"{", "not valid JSON"},
        BadLine{R"({"ev":"click","button":"AddButton"} {})", "not valid JSON"},
        BadLine{R"({"ev":"click","button":"AddButton",})", "not valid JSON"},
        BadLine{"{\"ev\":\"type\",\"picker\":\"NamePicker\",\"text\":\"\xC4\"}", "not valid JSON"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":1e400})", "not valid JSON"},
        BadLine{"[1,2]", "not a JSON object"}, BadLine{"\"click\"", "not a JSON object"},
        BadLine{"null", "not a JSON object"}, BadLine{"{}", "missing field \"ev\""},
        BadLine{R"({"ev":3})", "\"ev\" must be a string"},
        BadLine{R"({"ev":"drag"})", "unknown event \"drag\""},
        BadLine{R"({"ev":"Click","button":"AddButton"})", "unknown event \"Click\""},
        BadLine{R"({"ev":"choose","picker":"NamePicker"})", "missing field \"index\""},
        BadLine{R"({"ev":"choose","index":3})", "missing field \"picker\""},
        BadLine{R"({"ev":"choose","picker":"CountField","index":3})",
                "unknown picker \"CountField\""},
        BadLine{R"({"ev":"choose","picker":"namepicker","index":3})",
                "unknown picker \"namepicker\""},
        BadLine{R"({"ev":"choose","picker":1000,"index":3})", "\"picker\" must be a string"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":112})", "outside 0..111"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":-1})", "outside 0..111"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":18446744073709551615})",
                "outside 0..111"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":-9223372036854775808})",
                "outside 0..111"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":7.0})", "must be an integer"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":1e2})", "must be an integer"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":"7"})", "must be an integer"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":true})", "must be an integer"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":null})", "must be an integer"},
        BadLine{R"({"ev":"type","picker":"NamePicker"})", "missing field \"text\""},
        BadLine{R"({"ev":"type","picker":"NamePicker","text":7})", "\"text\" must be a string"},
        BadLine{R"({"ev":"type","picker":"NamePicker","text":["O"]})", "\"text\" must be a string"},
        BadLine{R"({"ev":"type","picker":"AddButton","text":"O"})", "unknown picker \"AddButton\""},
        BadLine{R"({"ev":"type_count"})", "missing field \"text\""},
        BadLine{R"({"ev":"type_count","text":7})", "\"text\" must be a string"},
        BadLine{R"({"ev":"click"})", "missing field \"button\""},
        BadLine{R"({"ev":"click","button":"OkButton"})", "unknown button \"OkButton\""},
        BadLine{R"({"ev":"click","button":"NamePicker"})", "unknown button \"NamePicker\""},
        BadLine{R"({"ev":"click","button":null})", "\"button\" must be a string"},
        BadLine{R"({"ev":"click","button":"AddButton","index":3})", "unexpected field \"index\""},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":3,"text":"O"})",
                "unexpected field \"text\""},
        BadLine{R"({"ev":"type_count","picker":"NamePicker","text":"3"})",
                "unexpected field \"picker\""},
        BadLine{"{\"ev\":\"type_count\",\"text\":\"3\0\"}"sv, "a NUL byte at byte 29"},
        BadLine{"{\"ev\":\"click\"}\0"sv, "a NUL byte at byte 15"},
        BadLine{R"({"ev":"click","button":"AddButton","button":"UndoButton"})",
                "field \"button\" given twice"},
        BadLine{R"({"ev":"click","ev":"click","button":"AddButton"})", "field \"ev\" given twice"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":18446744073709551616})",
                "index 18446744073709551616 is outside 0..111"},
        BadLine{R"({"ev":"choose","picker":"NamePicker","index":-9223372036854775809})",
                "index -9223372036854775809 is outside 0..111"}));

TEST(BlankLine, IsOnlySpacesTabsAndCarriageReturns) {
    EXPECT_TRUE(IsBlankLine(""));
    EXPECT_TRUE(IsBlankLine(" \t\r"));
    EXPECT_FALSE(IsBlankLine(" x"));
    EXPECT_FALSE(IsBlankLine("{}"));
}

}  // namespace
}  // namespace zerkan::test
