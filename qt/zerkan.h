#pragma once

// The program: one application object, one program-wide record, the main window run modally,
// then the end. No command line, environment or settings are read.

#include <QApplication>
#include <functional>

#include "core/composition_state.h"

namespace zerkan {

class MainDialog;

// The record of the molecule being composed: it lives as long as the program and belongs to
// no window.
CompositionState& ProgramState();

class App final : public QApplication {
    Q_OBJECT

  public:
    App(int& argc, char** argv);

    // Runs the main window modally and returns when it has ended; its result is not used.
    // `onShown` runs once, at the first turn of the window's event loop.
    int InitInstance(const std::function<void(MainDialog&)>& onShown = {});
};

// Whether a window can be shown here. Where clearly none can, says so in one line on
// standard error instead of letting the window system abort the program.
bool DisplayAvailable();

// Everything the program does: main calls it, and so does the start-up probe, which ends
// the window from `onShown`. Returns the process's exit status.
int RunZerkan(int argc, char** argv, std::function<void(MainDialog&)> onShown = {});

}  // namespace zerkan
