#pragma once

// Turning the texts typed into the pickers into an element, and the search button.

#include "composition_state.h"
#include "surface.h"

namespace zerkan {

// Typed text -> selectedIndex, all three pickers left on the result.
struct TypedTexts {
    Text symbolText;  // the working copy read from the symbol picker
};
// Reading phase: the symbol text is returned, nameText and protonText are stored.
TypedTexts ReadTypedTexts(CompositionState& state, const MainWindowSurface& surface);
// Resolving phase, on the texts as read.
void ResolveTypedElement(CompositionState& state, MainWindowSurface& surface,
                         const TypedTexts& typed);

void OnSearch(CompositionState& state, MainWindowSurface& surface);

}  // namespace zerkan
