#pragma once

// Every handler of the main window: a function of the program-wide record and the surface.
// Event -> handler -> CompositionState -> MainWindowSurface.

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

// Typed text -> selectedIndex, all three pickers left on the result.
struct TypedTexts {
    Text symbolText;  // the working copy read from the symbol picker
};
TypedTexts ReadTypedTexts(CompositionState& state, const MainWindowSurface& surface);
void ResolveTypedElement(CompositionState& state, MainWindowSurface& surface,
                         const TypedTexts& typed);

void OnSearch(CompositionState& state, MainWindowSurface& surface);
void OnAdd(CompositionState& state, MainWindowSurface& surface);
void OnUndo(CompositionState& state, MainWindowSurface& surface);
void OnReset(CompositionState& state, MainWindowSurface& surface);

}  // namespace zerkan
