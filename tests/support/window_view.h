#pragma once

// What the main window shows, read back the same way from any surface, so that the scenario
// runner prints and the invariant checker checks one description whichever window ran.
// Texts are Windows-1254, as in the core.

#include "core/surface.h"
#include "core/text.h"

namespace zerkan {
class MemorySurface;
}

namespace zerkan::test {

struct PickerView {
    Text text;  // the edit field
    int selection = -1;
    bool operator==(const PickerView&) const = default;
};

struct BoxView {
    Text text;
    int caret = 0;
    bool operator==(const BoxView&) const = default;
};

struct WindowView {
    PickerView numberPicker, namePicker, symbolPicker;
    BoxView contentsBox, formulaBox;
    bool atomicMassLabelVisible = false;
    Text countField, stepPrompt, countLabel, protonLine, atomicMassValue, periodGroupLine, kindLine,
        molecularMassBox;
    bool operator==(const WindowView&) const = default;
};

// Everything the surface's own operations read back; the caller adds what only it can see:
// the caption's visibility and the two boxes' carets.
WindowView ReadThroughSurface(const MainWindowSurface& surface, bool atomicMassLabelVisible,
                              int contentsCaret, int formulaCaret);
WindowView ViewOf(const MemorySurface& surface);

}  // namespace zerkan::test
