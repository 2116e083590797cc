#pragma once

// The save direction of the main window's data exchange, shared by every window: the three
// bound values read back from their controls in binding order, each checked.

#include <string_view>

#include "surface.h"

namespace zerkan {

struct SaveOutcome {
    bool ok = true;
    ControlId failedControl = ControlId::CountField;  // where the focus goes on failure
    std::string_view message;                         // what the user is told, Windows-1254
};

// CountField must hold a whole number from 1 to 2147483647 (sign and blanks around it
// allowed), MolecularMassBox and AtomicMassValue a decimal number (blanks around it allowed).
// Each good value is stored in its bound member; the first failure stops the reading, and
// members read before it keep their new values.
SaveOutcome SaveBoundValues(MainWindowSurface& surface);

}  // namespace zerkan
