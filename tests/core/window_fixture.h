#pragma once

// A freshly initialised in-memory window with its record, and the few helpers that let tests
// speak UTF-8 while the core speaks Windows-1254.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/composition_state.h"
#include "core/text.h"
#include "tests/support/gesture.h"
#include "tests/support/memory_surface.h"
#include "tests/support/window_view.h"

namespace zerkan::test {

using Id = ControlId;

// Public members, so that table rows can act on the window through lambdas.
class WindowTest : public ::testing::Test {
  public:
    void SetUp() override { window.Initialise(); }

    std::string Shows(Id control) const { return ToUtf8(window.GetText(control)); }
    void Choose(Id picker, int index) { Apply(window, Gesture::Choose(picker, index)); }
    void Type(Id picker, std::string_view utf8) {
        Apply(window, Gesture::Type(picker, FromUtf8(utf8)));
    }
    void Count(std::string_view digits) { Apply(window, Gesture::TypeCount(Text(digits))); }
    void Click(Id button) { Apply(window, Gesture::Click(button)); }
    void Add(int index, std::string_view digits = "") {
        for (const Gesture& g : AddingEntry(index, Text(digits)))
            Apply(window, g);
    }
    std::vector<std::string> TakeMessages() {
        std::vector<std::string> out;
        for (const Text& m : window.Messages())
            out.push_back(ToUtf8(m));
        window.ClearMessages();
        return out;
    }
    std::vector<std::pair<int, int>> Entries() const {
        std::vector<std::pair<int, int>> out;
        for (int k = 0; k + 2 <= state.step; ++k) {
            out.emplace_back(state.entryElement[static_cast<std::size_t>(k)],
                             state.entryCount[static_cast<std::size_t>(k)]);
        }
        return out;
    }
    // Everything the window shows, for "nothing visible changed" comparisons.
    WindowView Snapshot() const { return ViewOf(window); }
    // The pickers' three texts, number first.
    std::vector<std::string> Pickers() const {
        return {Shows(Id::NumberPicker), Shows(Id::NamePicker), Shows(Id::SymbolPicker)};
    }
    bool InfoAreaEmpty() const {
        return Shows(Id::ProtonLine).empty() && Shows(Id::AtomicMassValue).empty() &&
               Shows(Id::PeriodGroupLine).empty() && Shows(Id::KindLine).empty() &&
               !window.IsVisible(Id::AtomicMassLabel);
    }

    // What every Add leaves, refused or not.
    void ExpectSelectionCleared() const {
        EXPECT_EQ(Pickers(), (std::vector<std::string>{"", "", ""}));
        EXPECT_TRUE(InfoAreaEmpty());
        EXPECT_EQ(Shows(Id::CountField), "");
        EXPECT_EQ(state.selectedIndex, -1);
        EXPECT_EQ(state.count, 0);
    }

    CompositionState state;
    MemorySurface window{state};
};

}  // namespace zerkan::test
