#pragma once

// The program on the page: its one record and its window, for the entry points and the tests'
// probe.

#include "core/composition_state.h"
#include "web/zerkandlg.h"

namespace zerkan {

CompositionState& ProgramState();
MainDialog& ProgramWindow();

}  // namespace zerkan
