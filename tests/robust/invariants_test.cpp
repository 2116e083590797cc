// The checker itself: it accepts every state the program reaches on the documented roads and
// names each kind of corruption.

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/gesture.h"
#include "tests/support/invariants.h"
#include "tests/support/memory_surface.h"

namespace zerkan::robust {
namespace {

using Id = ControlId;
using test::Gesture;

class InvariantsTest : public ::testing::Test {
  protected:
    InvariantsTest() : window(state) {
        window.Initialise();
        Check();
    }

    // Fails the test when an invariant is broken, and returns the violations.
    std::vector<std::string> Check() {
        auto problems = CheckInvariants(state, window, history);
        for (const std::string& p : problems)
            ADD_FAILURE() << p;
        return problems;
    }
    // Runs the gestures, checking after each.
    void Play(const std::vector<Gesture>& gestures) {
        for (const Gesture& g : gestures) {
            test::Apply(window, g);
            Check();
        }
    }
    void Compose(int element, const char* count) { Play(test::AddingEntry(element, count)); }

    CompositionState state;
    MemorySurface window;
    InvariantHistory history;
};

TEST_F(InvariantsTest, HoldOnTheDocumentedRoad) {
    Compose(0, "2");  // Hidrojen
    EXPECT_EQ(window.GetText(Id::ContentsBox), "2 Hidrojen ");
    Compose(7, "");  // Oksijen
    EXPECT_EQ(window.GetText(Id::FormulaBox), "H2O");
    Play({Gesture::Click(Id::UndoButton)});
    EXPECT_EQ(window.GetText(Id::ContentsBox), "2 Hidrojen, ");
    Play({Gesture::Click(Id::UndoButton)});
    EXPECT_EQ(state.molecularMass, 0.0);
    Play({Gesture::Click(Id::UndoButton), Gesture::Type(Id::SymbolPicker, "s"),
          Gesture::Click(Id::SearchButton), Gesture::Click(Id::AddButton),
          Gesture::Click(Id::ResetButton)});
}

TEST_F(InvariantsTest, UndoAfterAHugeEntryLeavesTheExactSumOfWhatRemains) {
    Compose(0, "1");            // 1.00794
    Compose(111, "999999999");  // 277 * 999999999, far larger
    test::Apply(window, Gesture::Click(Id::UndoButton));
    ASSERT_TRUE(Check().empty());
    EXPECT_EQ(state.molecularMass, 1.00794);
    // Even one unit in the last place is a violation.
    CompositionState drifted = state;
    drifted.molecularMass = std::nextafter(drifted.molecularMass, 2.0);
    InvariantHistory copy = history;
    EXPECT_FALSE(CheckInvariants(drifted, test::ViewOf(window), copy).empty());
}

struct Corruption {
    const char* name;
    std::function<void(CompositionState&, WindowView&)> apply;
    const char* mentions;  // a word of the expected violation
};

const Corruption kCorruptions[] = {
    {"step zero", [](auto& s, auto&) { s.step = 0; }, "step"},
    {"step past the arrays", [](auto& s, auto&) { s.step = 1002; }, "step"},
    {"entry with count 0", [](auto& s, auto&) { s.entryCount[0] = 0; }, "entry 0"},
    {"entry with a negative count", [](auto& s, auto&) { s.entryCount[1] = -3; }, "entry 1"},
    {"entry beyond the table", [](auto& s, auto&) { s.entryElement[1] = 112; }, "entry 1"},
    {"mass off by one ulp",
     [](auto& s, auto&) { s.molecularMass = std::nextafter(s.molecularMass, 1e9); },
     "molecularMass"},
    {"mass not a number",
     [](auto& s, auto&) { s.molecularMass = std::numeric_limits<double>::quiet_NaN(); },
     "molecularMass"},
    {"formula text", [](auto& s, auto&) { s.formulaText += "X"; }, "formulaText"},
    {"formula box", [](auto&, auto& v) { v.formulaBox.text = "H2O2"; }, "FormulaBox"},
    {"contents text", [](auto& s, auto&) { s.contentsText.pop_back(); }, "contentsText"},
    {"contents box with a comma", [](auto&, auto& v) { v.contentsBox.text.pop_back(); },
     "ContentsBox"},
    {"contents box emptied", [](auto&, auto& v) { v.contentsBox.text.clear(); }, "ContentsBox"},
    {"prompt with another step", [](auto&, auto& v) { v.stepPrompt = "2. Elementi Seçiniz."_w; },
     "StepPrompt"},
    {"count label with another step", [](auto&, auto& v) { v.countLabel = "4. Elementin Adedi"_w; },
     "CountLabel"},
    {"count field with a letter", [](auto&, auto& v) { v.countField = "12a"; }, "CountField"},
    {"count field with ten digits", [](auto&, auto& v) { v.countField = "1234567890"; },
     "CountField"},
    {"count field with a sign", [](auto&, auto& v) { v.countField = "-1"; }, "CountField"},
    {"count apart from the field", [](auto& s, auto&) { s.count = 4; }, "count"},
    {"selection past the table", [](auto& s, auto&) { s.selectedIndex = 112; }, "selectedIndex"},
    {"selection below none", [](auto& s, auto&) { s.selectedIndex = -2; }, "selectedIndex"},
    {"a picker on another element",
     [](auto&, auto& v) {
         v.symbolPicker = {"N", 6};
     },
     "pickers"},
    {"a picker emptied",
     [](auto&, auto& v) {
         v.numberPicker = {"", -1};
     },
     "pickers"},
    {"caption hidden", [](auto&, auto& v) { v.atomicMassLabelVisible = false; }, "AtomicMassLabel"},
    {"proton line", [](auto&, auto& v) { v.protonLine = "Proton Sayısı:7"_w; }, "ProtonLine"},
    {"atomic mass", [](auto&, auto& v) { v.atomicMassValue = "12"; }, "AtomicMassValue"},
    {"period and group", [](auto&, auto& v) { v.periodGroupLine.clear(); }, "PeriodGroupLine"},
    {"kind", [](auto&, auto& v) { v.kindLine = "Metal"; }, "KindLine"},
    {"half-cleared information",
     [](auto&, auto& v) {
         v.protonLine.clear();
         v.atomicMassValue.clear();
         v.periodGroupLine.clear();
         v.kindLine.clear();
     },
     "ProtonLine"},
    {"mass box", [](auto&, auto& v) { v.molecularMassBox = "18.0153"; }, "MolecularMassBox"},
};

TEST_F(InvariantsTest, EachCorruptionIsNamed) {
    Compose(0, "2");
    Compose(7, "1");
    test::Apply(window, Gesture::Choose(Id::SymbolPicker, 5));  // Karbon shown, count 3 typed
    test::Apply(window, Gesture::TypeCount("3"));
    ASSERT_TRUE(Check().empty());
    for (const Corruption& c : kCorruptions) {
        SCOPED_TRACE(c.name);
        CompositionState corrupt = state;
        WindowView view = test::ViewOf(window);
        InvariantHistory copy = history;
        c.apply(corrupt, view);
        const auto problems = CheckInvariants(corrupt, view, copy);
        ASSERT_FALSE(problems.empty());
        bool named = false;
        for (const std::string& p : problems)
            named = named || p.find(c.mentions) != p.npos;
        EXPECT_TRUE(named) << problems.front();
    }
}

TEST_F(InvariantsTest, AnEmptyMoleculeWeighsExactlyNothing) {
    Compose(0, "3");
    test::Apply(window, Gesture::Click(Id::UndoButton));
    ASSERT_TRUE(Check().empty());
    CompositionState corrupt = state;
    corrupt.molecularMass = 1e-300;
    InvariantHistory copy = history;
    EXPECT_FALSE(CheckInvariants(corrupt, test::ViewOf(window), copy).empty());
}

TEST_F(InvariantsTest, ContentsBoxMayShowTheAddFormOrTheUndoFormOnly) {
    Compose(0, "2");
    Compose(7, "1");
    WindowView view = test::ViewOf(window);
    const Text kept = state.contentsText;
    for (const Text& shown : {kept, Text("2 Hidrojen, 1 Oksijen ")}) {
        view.contentsBox.text = shown;
        InvariantHistory copy = history;
        EXPECT_TRUE(CheckInvariants(state, view, copy).empty()) << shown;
    }
    for (const Text& shown :
         {Text("2 Hidrojen, 1 Oksijen"), Text("2 Hidrojen, 1 Oksijen,"), Text("2 Hidrojen ")}) {
        view.contentsBox.text = shown;
        InvariantHistory copy = history;
        EXPECT_FALSE(CheckInvariants(state, view, copy).empty()) << shown;
    }
}

TEST(InvariantsOnCorruptRecords, NeverReadOutsideTheArrays) {
    CompositionState state;
    MemorySurface window(state);
    window.Initialise();
    for (int step : {-5, 0, 1001, 1002, 1 << 30}) {
        state.step = step;
        state.entryElement.fill(-7);
        InvariantHistory history;
        EXPECT_FALSE(CheckInvariants(state, window, history).empty()) << step;
    }
}

}  // namespace
}  // namespace zerkan::robust
