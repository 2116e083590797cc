#pragma once

// A user's gestures on the main window, as the randomised sessions and the fuzzer produce
// them, and the replay line each one is written as, so that a failing sequence can be saved
// and run again with zerkan-replay.

#include <string>
#include <vector>

#include "core/memory_surface.h"
#include "core/surface.h"
#include "core/text.h"

namespace zerkan::robust {

enum class Gesture { Choose, Type, TypeCount, Click };

struct UserEvent {
    Gesture gesture = Gesture::Click;
    ControlId control = ControlId::AddButton;  // the picker or the button
    int index = 0;                             // Choose: 0..111
    Text text;                                 // Type, TypeCount: Windows-1254
};

inline constexpr ControlId kPickers[] = {ControlId::NumberPicker, ControlId::NamePicker,
                                         ControlId::SymbolPicker};
inline constexpr ControlId kButtons[] = {ControlId::SearchButton, ControlId::AddButton,
                                         ControlId::UndoButton, ControlId::ResetButton};

void Apply(MemorySurface& surface, const UserEvent& event);

// One JSON object in the scenario runner's event format, texts in UTF-8.
std::string ToReplayLine(const UserEvent& event);
std::string ToReplayLines(const std::vector<UserEvent>& events);

}  // namespace zerkan::robust
