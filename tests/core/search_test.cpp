#include <ostream>

#include "core/elements.h"
#include "core/search.h"
#include "core/texts.h"
#include "window_fixture.h"

namespace zerkan::test {
namespace {

const std::string kNoData = ToUtf8(texts::kNothingToSearch);
const std::string kNoMatch = ToUtf8(texts::kNotFound);

struct Typed {
    Id picker;
    const char* text;
    int found;  // -1: nothing
};

void PrintTo(const Typed& typed, std::ostream* os) {
    *os << '"' << typed.text << '"';
}

class TypedSearch : public WindowTest, public ::testing::WithParamInterface<Typed> {};

TEST_P(TypedSearch, FindsTheDesignatedElementOrSaysSo) {
    const Typed& t = GetParam();
    Count("3");
    Type(t.picker, t.text);
    Click(Id::SearchButton);
    EXPECT_EQ(state.selectedIndex, t.found);
    EXPECT_EQ(Shows(Id::CountField), "3");
    if (t.found >= 0) {
        EXPECT_EQ(Pickers(), (std::vector<std::string>{std::to_string(t.found + 1),
                                                       ToUtf8(ElementTable::Name(t.found)),
                                                       ToUtf8(ElementTable::Symbol(t.found))}));
        EXPECT_EQ(Shows(Id::ProtonLine), "Proton Sayısı:" + std::to_string(t.found + 1));
        EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçtiniz.");
        EXPECT_TRUE(TakeMessages().empty());
    } else {
        EXPECT_EQ(Pickers(), (std::vector<std::string>{"", "", ""}));
        EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçiniz.");
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{kNoMatch});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TypedSearch,
    ::testing::Values(Typed{Id::NumberPicker, "8", 7}, Typed{Id::NumberPicker, "80", 79},
                      Typed{Id::NumberPicker, "1", 0}, Typed{Id::NumberPicker, "11", 10},
                      Typed{Id::NumberPicker, "112", 111}, Typed{Id::NumberPicker, "0", -1},
                      Typed{Id::NumberPicker, "113", -1}, Typed{Id::NumberPicker, "08", -1},
                      Typed{Id::NamePicker, "oksijen", 7}, Typed{Id::NamePicker, "k", 5},
                      Typed{Id::NamePicker, "iyod", 52}, Typed{Id::SymbolPicker, "s", 15},
                      Typed{Id::SymbolPicker, "S", 15}, Typed{Id::SymbolPicker, "Si", 13},
                      Typed{Id::SymbolPicker, "i", 52}, Typed{Id::SymbolPicker, "I", 52},
                      Typed{Id::SymbolPicker, "In", 48}, Typed{Id::SymbolPicker, "b", 3},
                      Typed{Id::SymbolPicker, "B", 3}, Typed{Id::SymbolPicker, "s ", -1},
                      Typed{Id::SymbolPicker, "Q", -1}));

TEST_F(WindowTest, EmptyPickersAskForData) {
    Choose(Id::NamePicker, 7);
    Type(Id::NamePicker, "");
    Click(Id::SearchButton);
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{kNoData});
    EXPECT_EQ(state.selectedIndex, -1);
    EXPECT_EQ(Shows(Id::StepPrompt), "1. Elementi Seçiniz.");
}

// Boron's symbol "B" would match "Be" first if it were resolved again.
TEST_F(WindowTest, SearchWhileAChoiceIsShownChangesNothing) {
    Choose(Id::SymbolPicker, 4);
    const WindowView shown = Snapshot();
    Click(Id::SearchButton);
    EXPECT_EQ(Snapshot(), shown);
    EXPECT_TRUE(TakeMessages().empty());
    EXPECT_EQ(state.selectedIndex, 4);
    EXPECT_EQ(state.nameText, "Bor");
    EXPECT_EQ(state.protonText, "5");  // the picker text, read by the entry test
}

struct Precedence {
    const char* number;
    const char* name;
    const char* symbol;
    int found;
};

// Several pickers holding text at once is not reachable by typing (typing empties the others),
// so the texts are put straight into the edit fields.
TEST_F(WindowTest, SymbolDecidesBeforeNameBeforeNumberAndCorrectionsComeLast) {
    const Precedence cases[] = {
        {"8", "Karbon", "Fe", 25}, {"", "Oksijen", "Q", -1}, {"8", "Karbon", "", 5},
        {"8", "", "", 7},          {"", "Oksijen", "s", 15}, {"80", "zz", "", -1},
        {"", "zz", "", -1},        {"1", "", "I", 52},
    };
    for (const Precedence& c : cases) {
        window.SetText(Id::NumberPicker, c.number);
        window.SetText(Id::NamePicker, c.name);
        window.SetText(Id::SymbolPicker, c.symbol);
        const TypedTexts typed = ReadTypedTexts(state, window);
        ResolveTypedElement(state, window, typed);
        EXPECT_EQ(state.selectedIndex, c.found) << c.number << "/" << c.name << "/" << c.symbol;
        EXPECT_EQ(window.GetSelection(Id::NumberPicker), c.found);
        EXPECT_EQ(state.nameText, c.name);
        EXPECT_EQ(state.protonText, c.number);
        EXPECT_EQ(typed.symbolText, c.symbol);
        EXPECT_TRUE(window.Messages().empty());
    }
}

}  // namespace
}  // namespace zerkan::test
