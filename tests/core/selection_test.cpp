#include "window_fixture.h"

namespace zerkan::test {
namespace {

TEST_F(WindowTest, ChoosingOxygenByNameShowsItEverywhere) {
    Choose(Id::NamePicker, 7);
    EXPECT_EQ(Pickers(), (std::vector<std::string>{"8", "Oksijen", "O"}));
    EXPECT_EQ(Shows(Id::ProtonLine), "Proton Sayısı:8");
    EXPECT_EQ(Shows(Id::PeriodGroupLine), "2. Periyot, 6A");
    EXPECT_EQ(Shows(Id::KindLine), "Ametal");
    EXPECT_EQ(Shows(Id::AtomicMassValue), "15.9994");
    EXPECT_TRUE(window.IsVisible(Id::AtomicMassLabel));
    EXPECT_EQ(Shows(Id::CountField), "");
    EXPECT_EQ(Shows(Id::MolecularMassBox), "");
    EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçtiniz.");
    EXPECT_EQ(state.selectedIndex, 7);
    EXPECT_EQ(ToUtf8(state.kindText), "Ametal");
    EXPECT_EQ(state.period, 2);
    EXPECT_EQ(state.groupText, "");
    EXPECT_EQ(state.periodGroupText, "");
    EXPECT_TRUE(window.Messages().empty());
}

struct Shown {
    Id picker;
    int index;
    std::vector<std::string> pickers;
    const char* periodGroup;
    const char* kind;
    const char* mass;
};

TEST_F(WindowTest, EveryPickerShowsTheSameLinesForItsChoice) {
    const Shown cases[] = {
        {Id::NumberPicker,
         111,
         {"112", "Ununbiyum", "Uub"},
         "7. Periyot, 2B",
         "Geçiş Metali",
         "277"},
        {Id::SymbolPicker, 1, {"2", "Helyum", "He"}, "1. Periyot, 8A", "Soygaz", "4.002602"},
        {Id::NamePicker,
         56,
         {"57", "Lantan", "La"},
         "6. Periyot, 3B(Lantanit)",
         "Geçiş Metali",
         "138.9055"},
    };
    for (const Shown& c : cases) {
        Choose(c.picker, c.index);
        EXPECT_EQ(Pickers(), c.pickers);
        EXPECT_EQ(Shows(Id::ProtonLine), "Proton Sayısı:" + c.pickers[0]);
        EXPECT_EQ(Shows(Id::PeriodGroupLine), c.periodGroup);
        EXPECT_EQ(Shows(Id::KindLine), c.kind);
        EXPECT_EQ(Shows(Id::AtomicMassValue), c.mass);
    }
}

TEST_F(WindowTest, CountTypedBeforeTheChoiceSurvivesNormalised) {
    const std::tuple<const char*, const char*, int> cases[] = {
        {"3", "3", 3}, {"007", "7", 7}, {"0", "", 0}, {"", "", 0}};
    for (const auto& [typed, shown, count] : cases) {
        Count(typed);
        Choose(Id::NamePicker, 7);
        EXPECT_EQ(Shows(Id::CountField), shown) << typed;
        EXPECT_EQ(state.count, count) << typed;
    }
}

// The two conditions are tested independently of each other; a mass left bound by a molecule
// that Reset cleared must not show at step 1.
TEST_F(WindowTest, MolecularMassBoxNeedsBothAStepAboveOneAndANonZeroMass) {
    window.boundMolecularMass = 1.5;
    const std::tuple<int, double, const char*> cases[] = {
        {1, 1.5, ""}, {2, 0.0, ""}, {2, 1.5, "1.5"}};
    for (const auto& [step, mass, shown] : cases) {
        state.step = step;
        state.molecularMass = mass;
        Choose(Id::NamePicker, 0);
        EXPECT_EQ(Shows(Id::MolecularMassBox), shown) << step << " " << mass;
    }
}

TEST_F(WindowTest, ChoosingTheShownEntryAgainChangesNothingVisible) {
    Count("5");
    Choose(Id::NamePicker, 25);
    const WindowView shown = Snapshot();
    for (Id picker : {Id::NamePicker, Id::NumberPicker, Id::SymbolPicker}) {
        Choose(picker, 25);
        EXPECT_EQ(Snapshot(), shown);
    }
}

TEST_F(WindowTest, EditingAPickerClearsTheInformationAndTheOtherPickers) {
    for (Id edited : {Id::SymbolPicker, Id::NamePicker, Id::NumberPicker}) {
        Count("4");
        Choose(Id::NamePicker, 7);
        Type(edited, "x");
        EXPECT_TRUE(InfoAreaEmpty());
        std::vector<std::string> expected{"", "", ""};
        expected[edited == Id::NumberPicker ? 0 : edited == Id::NamePicker ? 1 : 2] = "x";
        EXPECT_EQ(Pickers(), expected);
        EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçtiniz.");
        EXPECT_EQ(state.selectedIndex, 7);
        EXPECT_EQ(Shows(Id::CountField), "4");
    }
}

TEST_F(WindowTest, SelectionEventWithoutAnEntryOnlyResetsThePrompt) {
    Add(0);
    Choose(Id::NamePicker, 7);
    window.SelectEntry(Id::NamePicker, -1);
    WindowView expected = Snapshot();
    test::Apply(window, test::Gesture::Choose(Id::NamePicker, -1));
    EXPECT_EQ(state.selectedIndex, -1);
    EXPECT_EQ(Shows(Id::StepPrompt), "2. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::KindLine), "Ametal");
    expected.stepPrompt = FromUtf8("2. Elementi Seçiniz.");
    EXPECT_EQ(Snapshot(), expected);
}

}  // namespace
}  // namespace zerkan::test
