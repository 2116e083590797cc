// libFuzzer target: arbitrary bytes as one line of a scenario file, given to the scenario
// runner's line parser. It must never crash, and an event it accepts must be one the runner
// can apply: a known picker or button, an index 0..111.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/elements.h"
#include "core/surface.h"
#include "tests/support/gesture_line.h"

namespace {

bool IsButton(zerkan::ControlId id) {
    using zerkan::ControlId;
    return id == ControlId::SearchButton || id == ControlId::AddButton ||
           id == ControlId::UndoButton || id == ControlId::ResetButton;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Kind = zerkan::test::Gesture::Kind;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    (void)zerkan::test::IsBlankLine(line);
    std::string error;
    const auto event = zerkan::test::ParseReplayLine(line, error);
    if (!event) {
        if (error.empty())
            std::abort();  // a refusal must say why
        return 0;
    }
    switch (event->kind) {
        case Kind::Choose:
            if (!zerkan::IsPicker(event->control) || event->index < 0 ||
                event->index >= zerkan::kElementCount) {
                std::abort();
            }
            break;
        case Kind::Type:
            if (!zerkan::IsPicker(event->control))
                std::abort();
            break;
        case Kind::TypeCount:
            break;
        case Kind::Click:
            if (!IsButton(event->control))
                std::abort();
            break;
    }
    return 0;
}
