#pragma once

// Gestures as lines of a scenario file, one JSON object per line:
//   {"ev":"choose","picker":P,"index":N}   {"ev":"type","picker":P,"text":T}
//   {"ev":"type_count","text":T}           {"ev":"click","button":B}
// Read by the scenario runner, written for a failing random session so that zerkan-replay can
// run it again.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/gesture.h"

namespace zerkan::test {

// One line -> one gesture. On a malformed line returns nothing and says why in `error`
// (without the line number, which only the caller knows). Never throws.
std::optional<Gesture> ParseReplayLine(std::string_view line, std::string& error);

// Blank lines (spaces, tabs, a carriage return) carry no gesture; the runner skips them.
bool IsBlankLine(std::string_view line);

// The line ParseReplayLine reads back as `gesture`, texts in UTF-8.
std::string ToReplayLine(const Gesture& gesture);
std::string ToReplayLines(const std::vector<Gesture>& gestures);

}  // namespace zerkan::test
