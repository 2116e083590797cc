#pragma once

// Keeping the three pickers on one element and showing that element's information; the count
// field's change handler; the pieces of the window that several handlers show alike.

#include <optional>
#include <string_view>

#include "composition_state.h"
#include "surface.h"

namespace zerkan {

// Keeps `count` equal to what the count field shows, and caps what it accepts.
void OnCountChanged(CompositionState& state, MainWindowSurface& surface);

// A choice from a picker's list.
void OnPickerSelected(CompositionState& state, MainWindowSurface& surface, ControlId picker);
// An edit of a picker's text.
void OnPickerEdited(CompositionState& state, MainWindowSurface& surface, ControlId picker);

// Presents the element at selectedIndex (0..111). Every picker but the source is moved to it;
// without a source all three are.
void ShowSelectedElement(CompositionState& state, MainWindowSurface& surface,
                         std::optional<ControlId> sourcePicker);

// The step prompt in `format` (texts::kChoosePrompt or kChosenPrompt) for the current step.
void ShowStepPrompt(CompositionState& state, MainWindowSurface& surface, std::string_view format);
// The proton, period-group and kind lines of the element at `index`.
void ShowElementLines(CompositionState& state, MainWindowSurface& surface, int index);
// The information area emptied: the four lines, and the atomic mass caption hidden.
void ClearElementInfo(MainWindowSurface& surface);

}  // namespace zerkan
