#pragma once

// Composing the molecule: Add, Undo and Reset.

#include "composition_state.h"
#include "surface.h"

namespace zerkan {

void OnAdd(CompositionState& state, MainWindowSurface& surface);
void OnUndo(CompositionState& state, MainWindowSurface& surface);
void OnReset(CompositionState& state, MainWindowSurface& surface);

}  // namespace zerkan
