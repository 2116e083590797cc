#pragma once

// The application object: runs the main window modally and ends the program when it closes.

#include "core/composition_state.h"

namespace zerkan::win32 {

// The program-wide record; it lives as long as the program, outside any window.
CompositionState& ProgramState();

class App {
  public:
    // Runs the main window until it ends; its result is ignored. Nothing is saved.
    int InitInstance();
};

}  // namespace zerkan::win32
