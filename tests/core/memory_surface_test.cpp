#include "window_fixture.h"

namespace zerkan::test {
namespace {

TEST_F(WindowTest, FreshWindowShowsTheStartState) {
    EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "1. Elementin Adedi");
    EXPECT_EQ(Shows(Id::CountField), "");
    EXPECT_TRUE(InfoAreaEmpty());
    EXPECT_EQ(window.CountLengthLimit(), kCountFieldLimit);
    EXPECT_EQ(state.selectedIndex, -1);
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ(Pickers(), (std::vector<std::string>{"", "", ""}));
}

struct Match {
    Id picker;
    const char* typed;
    int selected;
};

TEST_F(WindowTest, MatchTypedTextSelectsTheFirstEntryThatBeginsWithTheText) {
    const Match cases[] = {
        {Id::SymbolPicker, "s", 13},     {Id::SymbolPicker, "B", 3},
        {Id::SymbolPicker, "Fe", 25},    {Id::SymbolPicker, "Q", -1},
        {Id::SymbolPicker, "uub", 111},  {Id::NamePicker, "oksijen", 7},
        {Id::NamePicker, "Ne", 9},       {Id::NamePicker, "iyod", 52},
        {Id::NamePicker, "İNDİYUM", 48}, {Id::NamePicker, " ok", -1},
        {Id::NumberPicker, "8", 7},      {Id::NumberPicker, "11", 10},
        {Id::NumberPicker, "08", -1},    {Id::NumberPicker, "113", -1},
        {Id::NumberPicker, "", -1},
    };
    for (const Match& m : cases) {
        SCOPED_TRACE(m.typed);
        const CompositionState before = state;
        window.SelectEntry(m.picker, 0);
        Type(m.picker, m.typed);
        window.MatchTypedText(m.picker);
        EXPECT_EQ(window.GetSelection(m.picker), m.selected);
        EXPECT_EQ(Shows(m.picker), m.typed);
        EXPECT_EQ(state.selectedIndex, before.selectedIndex);
    }
}

TEST_F(WindowTest, CountFieldHandlerRunsOnSettersButNotOnPush) {
    window.SetCountValue(7);
    EXPECT_EQ(state.count, 7);
    window.PushBoundValues();
    EXPECT_EQ(Shows(Id::CountField), "0");
    EXPECT_EQ(state.count, 7);
    window.SetCountValue(-12);
    EXPECT_EQ(Shows(Id::CountField), "-12");
    EXPECT_EQ(state.count, -12);
    window.SetText(Id::CountField, "");
    EXPECT_EQ(state.count, 0);

    window.boundMolecularMass = 18.01528;
    window.boundAtomicMass = 0.00001;
    window.boundCount = 42;
    window.PushBoundValues();
    EXPECT_EQ(Shows(Id::MolecularMassBox), "18.01528");
    EXPECT_EQ(Shows(Id::AtomicMassValue), "1e-05");
    EXPECT_EQ(Shows(Id::CountField), "42");
    EXPECT_EQ(state.count, 0);
}

TEST_F(WindowTest, SelectEntryMovesOnlyThePicker) {
    Choose(Id::NamePicker, 7);
    const WindowView shown = Snapshot();
    window.SelectEntry(Id::SymbolPicker, -1);
    EXPECT_EQ(Shows(Id::SymbolPicker), "");
    EXPECT_EQ(window.GetSelection(Id::SymbolPicker), -1);
    window.SelectEntry(Id::SymbolPicker, 112);  // names no entry
    EXPECT_EQ(window.GetSelection(Id::SymbolPicker), -1);
    window.SelectEntry(Id::SymbolPicker, 7);
    EXPECT_EQ(Snapshot(), shown);
    EXPECT_EQ(state.selectedIndex, 7);
}

TEST_F(WindowTest, CaretStartsAtZeroAndIsClampedToTheText) {
    window.SetText(Id::ContentsBox, "2 Hidrojen ");
    window.PlaceCaret(Id::ContentsBox, 11);
    EXPECT_EQ(window.Caret(Id::ContentsBox), 11);
    window.PlaceCaret(Id::ContentsBox, 500);
    EXPECT_EQ(window.Caret(Id::ContentsBox), 11);
    window.PlaceCaret(Id::ContentsBox, -3);
    EXPECT_EQ(window.Caret(Id::ContentsBox), 0);
    window.PlaceCaret(Id::FormulaBox, 4);
    window.SetText(Id::ContentsBox, "x");
    EXPECT_EQ(window.Caret(Id::ContentsBox), 0);
}

TEST_F(WindowTest, LengthLimitAppliesToTypingOnly) {
    window.SetText(Id::CountField, "1234567890123");
    EXPECT_EQ(Shows(Id::CountField), "1234567890123");
    Count("12a34-567 890123");
    EXPECT_EQ(Shows(Id::CountField), "123456789");
    EXPECT_EQ(state.count, 123456789);
}

}  // namespace
}  // namespace zerkan::test
