#pragma once

// Keeping the three pickers on one element and showing that element's information; the count
// field's change handler.

#include <optional>

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
void ClearElementInfo(MainWindowSurface& surface, ControlId editedPicker);

}  // namespace zerkan
