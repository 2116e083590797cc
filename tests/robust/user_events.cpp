#include "user_events.h"

#include <nlohmann/json.hpp>

namespace zerkan::robust {

void Apply(MemorySurface& surface, const UserEvent& event) {
    switch (event.gesture) {
        case Gesture::Choose:
            surface.UserChoose(event.control, event.index);
            break;
        case Gesture::Type:
            surface.UserType(event.control, event.text);
            break;
        case Gesture::TypeCount:
            surface.UserTypeCount(event.text);
            break;
        case Gesture::Click:
            surface.UserClick(event.control);
            break;
    }
}

std::string ToReplayLine(const UserEvent& event) {
    nlohmann::ordered_json line;
    switch (event.gesture) {
        case Gesture::Choose:
            line = {
                {"ev", "choose"}, {"picker", ControlName(event.control)}, {"index", event.index}};
            break;
        case Gesture::Type:
            line = {{"ev", "type"},
                    {"picker", ControlName(event.control)},
                    {"text", ToUtf8(event.text)}};
            break;
        case Gesture::TypeCount:
            line = {{"ev", "type_count"}, {"text", ToUtf8(event.text)}};
            break;
        case Gesture::Click:
            line = {{"ev", "click"}, {"button", ControlName(event.control)}};
            break;
    }
    return line.dump();
}

std::string ToReplayLines(const std::vector<UserEvent>& events) {
    std::string lines;
    for (const UserEvent& event : events)
        lines += ToReplayLine(event) + "\n";
    return lines;
}

}  // namespace zerkan::robust
