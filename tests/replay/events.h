#pragma once

// User-level events of a scenario, one JSON object per line:
//   {"ev":"choose","picker":P,"index":N}   {"ev":"type","picker":P,"text":T}
//   {"ev":"type_count","text":T}           {"ev":"click","button":B}
// The line parser is separate from the runner so that a fuzzer can drive it alone.

#include <optional>
#include <string>
#include <string_view>

#include "core/surface.h"
#include "core/text.h"

namespace zerkan::replay {

class ScenarioDriver;

enum class EventKind { Choose, Type, TypeCount, Click };

struct Event {
    EventKind kind = EventKind::Click;
    ControlId control = ControlId::SearchButton;  // the picker or the button; unused by TypeCount
    int index = 0;                                // Choose only
    Text text;                                    // Type and TypeCount, Windows-1254
};

// One line -> one event. On a malformed line returns nothing and says why in `error`
// (without the line number, which only the caller knows). Never throws.
std::optional<Event> ParseEventLine(std::string_view line, std::string& error);

// Blank lines (spaces, tabs, a carriage return) carry no event; the runner skips them.
bool IsBlankLine(std::string_view line);

void Apply(ScenarioDriver& driver, const Event& event);

}  // namespace zerkan::replay
