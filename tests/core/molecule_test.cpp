#include <cmath>
#include <functional>
#include <ostream>

#include "core/elements.h"
#include "core/texts.h"
#include "window_fixture.h"

namespace zerkan::test {
namespace {

using EntryList = std::vector<std::pair<int, int>>;
const std::string kNothingChosen = ToUtf8(texts::kNothingChosen);

TEST_F(WindowTest, HydrogenTwiceThenOxygenMakesWater) {
    Add(0, "2");
    EXPECT_EQ(state.formulaText, "H2");
    EXPECT_EQ(Shows(Id::ContentsBox), "2 Hidrojen ");
    EXPECT_EQ(state.contentsText, "2 Hidrojen, ");
    EXPECT_EQ(Shows(Id::MolecularMassBox), "2.01588");
    EXPECT_EQ(state.step, 2);
    EXPECT_EQ(Entries(), (EntryList{{0, 2}}));

    Add(7);
    EXPECT_EQ(Shows(Id::FormulaBox), "H2O");
    EXPECT_EQ(Shows(Id::ContentsBox), "2 Hidrojen, 1 Oksijen ");
    EXPECT_EQ(window.Caret(Id::ContentsBox), 22);
    EXPECT_EQ(window.Caret(Id::FormulaBox), 3);
    EXPECT_EQ(state.contentsText, "2 Hidrojen, 1 Oksijen, ");
    EXPECT_EQ(Shows(Id::MolecularMassBox), "18.01528");
    EXPECT_EQ(state.step, 3);
    EXPECT_EQ(Entries(), (EntryList{{0, 2}, {7, 1}}));
    EXPECT_EQ(Shows(Id::StepPrompt), "3. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "3. Elementin Adedi");
    ExpectSelectionCleared();
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(WindowTest, CountOfOneIsLeftOutOfTheFormula) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "O", "1 Oksijen "},
        {"1", "O", "1 Oksijen "},
        {"0", "O", "1 Oksijen "},
        {"999999999", "O999999999", "999999999 Oksijen "},
    };
    for (const auto& [typed, formula, contents] : cases) {
        Click(Id::ResetButton);
        Add(7, typed);
        EXPECT_EQ(Shows(Id::FormulaBox), formula) << typed;
        EXPECT_EQ(Shows(Id::ContentsBox), contents) << typed;
    }
}

TEST_F(WindowTest, EntriesAreNeverMerged) {
    Add(0);
    Add(7);
    Add(0);
    EXPECT_EQ(state.formulaText, "HOH");
    EXPECT_EQ(Entries(), (EntryList{{0, 1}, {7, 1}, {0, 1}}));
}

TEST_F(WindowTest, TypedSymbolIsResolvedByAdd) {
    const std::pair<const char*, int> cases[] = {{"o", 7}, {"s", 15}, {"B", 3}};
    for (const auto& [typed, element] : cases) {
        Click(Id::ResetButton);
        Type(Id::SymbolPicker, typed);
        Click(Id::AddButton);
        EXPECT_EQ(Entries(), (EntryList{{element, 1}})) << typed;
    }
}

struct Refusal {
    const char* name;
    std::function<void(WindowTest&)> act;
    std::string message;
};

// Keeps the test names CTest lists short and readable.
void PrintTo(const Refusal& refusal, std::ostream* os) {
    *os << refusal.name;
}

class AddRefusal : public WindowTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(AddRefusal, KeepsTheMoleculeAndClearsTheSelection) {
    Add(5, "2");
    Count("4");
    GetParam().act(*this);
    Click(Id::AddButton);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{GetParam().message});
    EXPECT_EQ(state.step, 2);
    EXPECT_EQ(Entries(), (EntryList{{5, 2}}));
    EXPECT_EQ(state.formulaText, "C2");
    EXPECT_EQ(Shows(Id::StepPrompt), "2. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "2. Elementin Adedi");
    ExpectSelectionCleared();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AddRefusal,
    ::testing::Values(Refusal{"NothingChosen", [](WindowTest&) {}, kNothingChosen},
                      Refusal{"TypedTextMatchesNothing",
                              [](WindowTest& t) { t.Type(Id::NamePicker, "xyz"); }, kNothingChosen},
                      Refusal{"TypedAfterAChoice",
                              [](WindowTest& t) {
                                  t.Choose(Id::NamePicker, 7);
                                  t.Type(Id::SymbolPicker, "O");
                              },
                              kNothingChosen},
                      Refusal{"NobleGas", [](WindowTest& t) { t.Choose(Id::NamePicker, 1); },
                              "Helyum elementi soygaz olduğundan bileşik oluşturamaz."},
                      Refusal{"TypedNobleGas",
                              [](WindowTest& t) { t.Type(Id::SymbolPicker, "Rn"); },
                              "Radon elementi soygaz olduğundan bileşik oluşturamaz."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, TheThousandAndFirstEntryIsRefused) {
    for (int k = 0; k < kMaxEntries; ++k)
        Add(k % 2 == 0 ? 0 : 5, "3");
    ASSERT_EQ(state.step, kMaxEntries + 1);
    ASSERT_TRUE(TakeMessages().empty());
    const Text formula = state.formulaText;
    const double mass = state.molecularMass;

    Add(7, "2");
    EXPECT_EQ(TakeMessages(),
              std::vector<std::string>{"Zerkana en fazla 1000 element eklenebilir."});
    EXPECT_EQ(state.step, kMaxEntries + 1);
    EXPECT_EQ(state.formulaText, formula);
    EXPECT_EQ(state.molecularMass, mass);
    EXPECT_EQ(Shows(Id::StepPrompt), "1001. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "1001. Elementin Adedi");
    ExpectSelectionCleared();

    Click(Id::UndoButton);
    EXPECT_EQ(state.step, kMaxEntries);
    EXPECT_EQ(state.selectedIndex, 5);
}

TEST_F(WindowTest, UndoWalksBackThroughTheEntries) {
    Add(0, "2");
    Add(7);
    Click(Id::UndoButton);
    EXPECT_EQ(state.step, 2);
    EXPECT_EQ(Shows(Id::StepPrompt), "2. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "2. Elementin Adedi");
    EXPECT_EQ(Shows(Id::FormulaBox), "H2");
    EXPECT_EQ(Shows(Id::ContentsBox), "2 Hidrojen, ");
    EXPECT_EQ(window.Caret(Id::ContentsBox), 0);
    EXPECT_EQ(Shows(Id::MolecularMassBox), "2.01588");
    EXPECT_EQ(Pickers(), (std::vector<std::string>{"8", "Oksijen", "O"}));
    EXPECT_EQ(Shows(Id::ProtonLine), "Proton Sayısı:8");
    EXPECT_EQ(Shows(Id::AtomicMassValue), "15.9994");
    EXPECT_EQ(Shows(Id::KindLine), "Ametal");
    EXPECT_EQ(Shows(Id::PeriodGroupLine), "2. Periyot, 6A");
    EXPECT_TRUE(window.IsVisible(Id::AtomicMassLabel));
    EXPECT_EQ(Shows(Id::CountField), "");
    EXPECT_EQ(ToUtf8(state.nameText), "Hidrojen");
    EXPECT_EQ(state.symbolText, "H");

    Click(Id::UndoButton);
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ(Shows(Id::FormulaBox), "");
    EXPECT_EQ(Shows(Id::ContentsBox), "");
    EXPECT_EQ(Shows(Id::MolecularMassBox), "");
    EXPECT_EQ(state.molecularMass, 0.0);
    EXPECT_EQ(Pickers(), (std::vector<std::string>{"1", "Hidrojen", "H"}));
    EXPECT_EQ(ToUtf8(state.nameText), "Hidrojen");  // kept: no entry is left to read

    const WindowView empty = Snapshot();
    Click(Id::UndoButton);
    EXPECT_EQ(Snapshot(), empty);
    EXPECT_EQ(state.step, 1);
}

TEST_F(WindowTest, LastUndoLeavesExactlyZeroWhateverTheRounding) {
    Add(0, "3");
    Add(16, "7");
    Add(5, "11");
    Add(14, "13");
    for (int k = 0; k < 4; ++k)
        Click(Id::UndoButton);
    EXPECT_EQ(state.molecularMass, 0.0);
    EXPECT_FALSE(std::signbit(state.molecularMass));
}

TEST_F(WindowTest, UndoAfterARefusalRemovesTheLastAcceptedEntry) {
    Add(0);
    Add(7);
    Add(1);  // helium, refused
    TakeMessages();
    Click(Id::UndoButton);
    EXPECT_EQ(Entries(), (EntryList{{0, 1}}));
    EXPECT_EQ(state.selectedIndex, 7);

    Click(Id::AddButton);  // the removed element comes back with count 1
    EXPECT_EQ(Entries(), (EntryList{{0, 1}, {7, 1}}));
    EXPECT_EQ(state.formulaText, "HO");
}

// Undo gives back exactly the mass the molecule had before the removed Add, also after an
// entry so large that subtracting it would cancel the digits of what remains.
TEST_F(WindowTest, UndoRestoresTheMassHeldBeforeTheRemovedAdd) {
    const std::pair<int, const char*> entries[] = {
        {0, "1"}, {111, "999999999"}, {7, "2"}, {5, "3"}, {111, "999999999"}};
    std::vector<double> before;
    for (const auto& [element, count] : entries) {
        before.push_back(state.molecularMass);
        Add(element, count);
    }
    while (!before.empty()) {
        Click(Id::UndoButton);
        EXPECT_EQ(state.molecularMass, before.back()) << "after undoing entry " << before.size();
        before.pop_back();
    }
    Add(0);
    Add(111, "999999999");
    Click(Id::UndoButton);
    EXPECT_EQ(Shows(Id::MolecularMassBox), "1.00794");
}

TEST_F(WindowTest, UndoRebuildsTheSameTextsAsAddBuilt) {
    const char* counts[] = {"1", "2", "10", "999999999"};
    auto element = [](int k) {
        const int i = k % kElementCount;
        return ElementTable::IsNobleGas(i) ? 0 : i;
    };
    Text formula, contents;
    for (int k = 0; k < 999; ++k) {
        Add(element(k), counts[k % 4]);
        if (k == 997) {
            formula = state.formulaText;
            contents = state.contentsText;
        }
    }
    ASSERT_EQ(state.step, 1000);
    Click(Id::UndoButton);
    EXPECT_EQ(state.formulaText, formula);
    EXPECT_EQ(state.contentsText, contents);
    EXPECT_EQ(window.GetText(Id::ContentsBox), contents);
    EXPECT_EQ(state.nameText, ElementTable::Name(element(997)));
    EXPECT_EQ(state.symbolText, ElementTable::Symbol(element(997)));
}

TEST_F(WindowTest, ResetReturnsToTheStartState) {
    Add(0, "2");
    Add(7);
    Choose(Id::NamePicker, 25);
    Click(Id::ResetButton);
    EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçiniz.");
    EXPECT_EQ(Shows(Id::CountLabel), "1. Elementin Adedi");
    for (Id box : {Id::ContentsBox, Id::FormulaBox, Id::MolecularMassBox, Id::CountField}) {
        EXPECT_EQ(Shows(box), "");
    }
    EXPECT_TRUE(InfoAreaEmpty());
    EXPECT_EQ(Pickers(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(state.step, 1);
    EXPECT_EQ(state.molecularMass, 0.0);

    const WindowView afterReset = Snapshot();
    Click(Id::UndoButton);  // the stale entries are not brought back
    EXPECT_EQ(Snapshot(), afterReset);

    Add(7);
    EXPECT_EQ(Shows(Id::FormulaBox), "O");
    EXPECT_EQ(Shows(Id::MolecularMassBox), "15.9994");
}

}  // namespace
}  // namespace zerkan::test
