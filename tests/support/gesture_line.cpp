#include "tests/support/gesture_line.h"

#include <array>
#include <cstdint>
#include <utility>

#include <nlohmann/json.hpp>

namespace zerkan::test {
namespace {

using nlohmann::json;

struct EventShape {
    std::string_view name;
    Gesture::Kind kind;
    std::array<std::string_view, 2> fields;  // besides "ev"; empty when unused
};

constexpr std::array<EventShape, 4> kShapes{{
    {"choose", Gesture::Kind::Choose, {"picker", "index"}},
    {"type", Gesture::Kind::Type, {"picker", "text"}},
    {"type_count", Gesture::Kind::TypeCount, {"text", ""}},
    {"click", Gesture::Kind::Click, {"button", ""}},
}};

// A JSON string as it appears in a message: quoted and escaped.
std::string Quoted(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// The control named by `field`, which must be a string naming one of `controls`.
template <std::size_t N>
bool ReadControl(const json& object, std::string_view field, const ControlId (&controls)[N],
                 ControlId& out, std::string& error) {
    const json& value = object.at(json::string_t(field));
    if (!value.is_string()) {
        error = "\"" + std::string(field) + "\" must be a string";
        return false;
    }
    for (ControlId control : controls) {
        if (ControlName(control) == value.get_ref<const json::string_t&>()) {
            out = control;
            return true;
        }
    }
    error = "unknown " + std::string(field) + " " + Quoted(value);
    return false;
}

bool ReadIndex(const json& value, int& out, std::string& error) {
    if (value.is_number_unsigned()) {
        const auto index = value.get<std::uint64_t>();
        if (index <= 111) {
            out = static_cast<int>(index);
            return true;
        }
    } else if (value.is_number_integer()) {
        const auto index = value.get<std::int64_t>();
        if (index >= 0 && index <= 111) {
            out = static_cast<int>(index);
            return true;
        }
    } else {
        error = "\"index\" must be an integer";
        return false;
    }
    error = "index " + Quoted(value) + " is outside 0..111";
    return false;
}

}  // namespace

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

std::optional<Gesture> ParseReplayLine(std::string_view line, std::string& error) {
    json object;
    try {
        object = json::parse(line.begin(), line.end());
    } catch (const json::parse_error& failure) {
        error = "not valid JSON (at byte " + std::to_string(failure.byte) + ")";
        return std::nullopt;
    } catch (const json::exception&) {
        error = "not valid JSON (a number out of range)";
        return std::nullopt;
    }
    if (!object.is_object()) {
        error = "not a JSON object";
        return std::nullopt;
    }
    const auto ev = object.find("ev");
    if (ev == object.end()) {
        error = "missing field \"ev\"";
        return std::nullopt;
    }
    if (!ev->is_string()) {
        error = "\"ev\" must be a string";
        return std::nullopt;
    }
    const EventShape* shape = nullptr;
    for (const EventShape& candidate : kShapes) {
        if (candidate.name == ev->get_ref<const json::string_t&>())
            shape = &candidate;
    }
    if (shape == nullptr) {
        error = "unknown event " + Quoted(*ev);
        return std::nullopt;
    }
    // A field the event does not take is most likely a typo of one it does; refuse it
    // rather than run a different event than the author meant.
    for (const auto& [key, value] : object.items()) {
        if (key == "ev")
            continue;
        bool known = false;
        for (std::string_view field : shape->fields)
            known = known || (!field.empty() && key == field);
        if (!known) {
            error = "unexpected field " + Quoted(json(key)) + " in a \"" +
                    std::string(shape->name) + "\" event";
            return std::nullopt;
        }
    }
    for (std::string_view field : shape->fields) {
        if (!field.empty() && !object.contains(json::string_t(field))) {
            error = "missing field \"" + std::string(field) + "\"";
            return std::nullopt;
        }
    }

    Gesture event;
    event.kind = shape->kind;
    switch (shape->kind) {
        case Gesture::Kind::Choose:
            if (!ReadControl(object, "picker", kPickers, event.control, error) ||
                !ReadIndex(object.at("index"), event.index, error)) {
                return std::nullopt;
            }
            break;
        case Gesture::Kind::Type:
            if (!ReadControl(object, "picker", kPickers, event.control, error)) {
                return std::nullopt;
            }
            [[fallthrough]];
        case Gesture::Kind::TypeCount: {
            const json& text = object.at("text");
            if (!text.is_string()) {
                error = "\"text\" must be a string";
                return std::nullopt;
            }
            event.text = FromUtf8(text.get_ref<const json::string_t&>());
            break;
        }
        case Gesture::Kind::Click:
            if (!ReadControl(object, "button", kButtons, event.control, error)) {
                return std::nullopt;
            }
            break;
    }
    return event;
}

std::string ToReplayLine(const Gesture& gesture) {
    nlohmann::ordered_json line;
    switch (gesture.kind) {
        case Gesture::Kind::Choose:
            line = {{"ev", "choose"},
                    {"picker", ControlName(gesture.control)},
                    {"index", gesture.index}};
            break;
        case Gesture::Kind::Type:
            line = {{"ev", "type"},
                    {"picker", ControlName(gesture.control)},
                    {"text", ToUtf8(gesture.text)}};
            break;
        case Gesture::Kind::TypeCount:
            line = {{"ev", "type_count"}, {"text", ToUtf8(gesture.text)}};
            break;
        case Gesture::Kind::Click:
            line = {{"ev", "click"}, {"button", ControlName(gesture.control)}};
            break;
    }
    return line.dump();
}

std::string ToReplayLines(const std::vector<Gesture>& gestures) {
    std::string lines;
    for (const Gesture& gesture : gestures)
        lines += ToReplayLine(gesture) + "\n";
    return lines;
}

}  // namespace zerkan::test
