#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "observation.h"

namespace zerkan::replay {
namespace {

struct DoubleRow {
    double value;
    std::string_view printed;
};

class PrintsDouble : public testing::TestWithParam<DoubleRow> {};

TEST_P(PrintsDouble, WithSeventeenSignificantDigits) {
    EXPECT_EQ(FormatExactDouble(GetParam().value), GetParam().printed);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PrintsDouble,
    testing::Values(DoubleRow{0.0, "0"}, DoubleRow{-0.0, "-0"}, DoubleRow{277.0, "277"},
                    DoubleRow{15.9994, "15.9994"},
                    DoubleRow{2 * 1.00794 + 15.9994, "18.015280000000001"},
                    DoubleRow{0.1, "0.10000000000000001"},
                    DoubleRow{1e-05, "1.0000000000000001e-05"},
                    DoubleRow{2.77e14, "277000000000000"}, DoubleRow{1e17, "1e+17"},
                    DoubleRow{std::numeric_limits<double>::quiet_NaN(), "null"},
                    DoubleRow{std::numeric_limits<double>::infinity(), "null"}));

TEST(Observation, OfAFreshRecordListsEveryKeyInItsOrder) {
    const std::string expected =
        R"({"controls":{"NumberPicker":{"text":"","sel":-1},"NamePicker":{"text":"","sel":-1},)"
        R"("SymbolPicker":{"text":"","sel":-1},"ContentsBox":{"text":"","caret":0},)"
        R"("FormulaBox":{"text":"","caret":0},"AtomicMassLabel":false,"CountField":"",)"
        R"("StepPrompt":"","CountLabel":"","ProtonLine":"","AtomicMassValue":"",)"
        R"("PeriodGroupLine":"","KindLine":"","MolecularMassBox":""},"messages":[],)"
        R"("state":{"selectedIndex":-1,"step":1,"count":0,"atomicMass":0,"molecularMass":0,)"
        R"("entries":[],"formulaText":"","contentsText":"","kindText":"","period":0,)"
        R"("promptText":"","countLabelText":"","nameText":"","symbolText":"","protonText":""}})";
    EXPECT_EQ(FormatObservation(WindowView{}, {}, CompositionState{}), expected);
}

TEST(Observation, ConvertsAndEscapesTextsAndListsOnlyHeldEntries) {
    WindowView view;
    view.namePicker = {"\xDDyod", 52};  // İyod
    view.contentsBox = {"2 Hidrojen, ", 12};
    view.atomicMassLabelVisible = true;
    view.kindLine = "Ge\xE7i\xFE Metali";  // Geçiş Metali
    view.stepPrompt = "say \"1\"\\ \x01\ttab";
    CompositionState state;
    state.step = 3;
    state.entryElement = {0, 7, 99};  // the third place is stale
    state.entryCount = {2, 1, 5};
    state.molecularMass = 2 * 1.00794 + 15.9994;
    state.nameText = "K\xFCk\xFCrt";  // Kükürt
    const std::vector<Text> messages = {"Hi\xE7\x62ir element se\xE7medin",
                                        "Helyum elementi soygaz oldu\xF0undan"};

    const std::string line = FormatObservation(view, messages, state);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const auto parsed = nlohmann::json::parse(line);
    EXPECT_EQ(parsed["controls"]["NamePicker"]["text"], "İyod");
    EXPECT_EQ(parsed["controls"]["NamePicker"]["sel"], 52);
    EXPECT_EQ(parsed["controls"]["ContentsBox"]["caret"], 12);
    EXPECT_EQ(parsed["controls"]["AtomicMassLabel"], true);
    EXPECT_EQ(parsed["controls"]["KindLine"], "Geçiş Metali");
    EXPECT_EQ(parsed["controls"]["StepPrompt"], "say \"1\"\\ \x01\ttab");
    EXPECT_EQ(parsed["messages"],
              nlohmann::json({"Hiçbir element seçmedin", "Helyum elementi soygaz olduğundan"}));
    EXPECT_EQ(parsed["state"]["entries"], nlohmann::json::parse("[[0,2],[7,1]]"));
    EXPECT_EQ(parsed["state"]["nameText"], "Kükürt");
    EXPECT_NE(line.find(R"("molecularMass":18.015280000000001,)"), std::string::npos) << line;
}

TEST(Observation, NeverListsMoreEntriesThanTheRecordHolds) {
    CompositionState state;
    state.step = -5;
    EXPECT_EQ(nlohmann::json::parse(FormatObservation({}, {}, state))["state"]["entries"].size(),
              0U);
    state.step = kMaxEntries + 50;
    EXPECT_EQ(nlohmann::json::parse(FormatObservation({}, {}, state))["state"]["entries"].size(),
              static_cast<std::size_t>(kMaxEntries));
}

}  // namespace
}  // namespace zerkan::replay
