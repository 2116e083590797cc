#pragma once

// A user's gesture on the main window, the one form in which the scenario runner, the random
// sessions, the fuzzers, the benchmarks and the window tests all express what a user does.

#include <vector>

#include "core/surface.h"
#include "core/text.h"

namespace zerkan {
class MemorySurface;
}

namespace zerkan::test {

struct Gesture {
    enum class Kind { Choose, Type, TypeCount, Click };

    Kind kind = Kind::Click;
    ControlId control = ControlId::AddButton;  // the picker or the button; unused by TypeCount
    int index = 0;                             // Choose: 0..111
    Text text;                                 // Type, TypeCount: Windows-1254

    // Entry `index` chosen from the picker's list.
    static Gesture Choose(ControlId picker, int index) { return {Kind::Choose, picker, index, {}}; }
    // The picker's edit text replaced, the list closed.
    static Gesture Type(ControlId picker, Text text) {
        return {Kind::Type, picker, 0, std::move(text)};
    }
    // The count field's text replaced by typing: what is not a digit is dropped and the rest is
    // cut to the field's limit.
    static Gesture TypeCount(Text text) {
        return {Kind::TypeCount, ControlId::CountField, 0, std::move(text)};
    }
    // SearchButton, AddButton, UndoButton or ResetButton.
    static Gesture Click(ControlId button) { return {Kind::Click, button, 0, {}}; }
};

inline constexpr ControlId kButtons[] = {ControlId::SearchButton, ControlId::AddButton,
                                         ControlId::UndoButton, ControlId::ResetButton};

// What a user does to add an entry: the element chosen by name, the count typed (an empty text
// still an edit), Ekle pressed.
inline std::vector<Gesture> AddingEntry(int element, Text count) {
    return {Gesture::Choose(ControlId::NamePicker, element), Gesture::TypeCount(std::move(count)),
            Gesture::Click(ControlId::AddButton)};
}

// Runs the gesture on the in-memory window, with the handler its event table binds.
void Apply(MemorySurface& surface, const Gesture& gesture);

}  // namespace zerkan::test
