#pragma once

// The line the runner prints after each event:
//   {"controls":{...},"messages":[...],"state":{...}}
// Keys and their order are fixed; texts are UTF-8, doubles carry 17 significant digits so that
// two runs agree only when the bits agree.

#include <string>
#include <vector>

#include "core/composition_state.h"
#include "driver.h"

namespace zerkan::replay {

std::string FormatObservation(const WindowView& view, const std::vector<Text>& messages,
                              const CompositionState& state);

// A double with 17 significant digits in general form; non-finite values become null, which is
// all JSON can say about them.
std::string FormatExactDouble(double value);

}  // namespace zerkan::replay
