#pragma once

// Every handler of the main window: a function of the program-wide record and the surface.
// Event -> handler -> CompositionState -> MainWindowSurface.

#include "molecule.h"
#include "search.h"
#include "selection.h"
