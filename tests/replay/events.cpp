#include "events.h"

#include <array>
#include <cstdint>
#include <utility>

#include <nlohmann/json.hpp>

#include "driver.h"

namespace zerkan::replay {
namespace {

using nlohmann::json;

struct Named {
    std::string_view name;
    ControlId id;
};

constexpr std::array<Named, 3> kPickers{{
    {"NumberPicker", ControlId::NumberPicker},
    {"NamePicker", ControlId::NamePicker},
    {"SymbolPicker", ControlId::SymbolPicker},
}};

constexpr std::array<Named, 4> kButtons{{
    {"SearchButton", ControlId::SearchButton},
    {"AddButton", ControlId::AddButton},
    {"UndoButton", ControlId::UndoButton},
    {"ResetButton", ControlId::ResetButton},
}};

struct EventShape {
    std::string_view name;
    EventKind kind;
    std::array<std::string_view, 2> fields;  // besides "ev"; empty when unused
};

constexpr std::array<EventShape, 4> kShapes{{
    {"choose", EventKind::Choose, {"picker", "index"}},
    {"type", EventKind::Type, {"picker", "text"}},
    {"type_count", EventKind::TypeCount, {"text", ""}},
    {"click", EventKind::Click, {"button", ""}},
}};

// A JSON string as it appears in a message: quoted and escaped.
std::string Quoted(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

template <std::size_t N>
std::optional<ControlId> Lookup(const std::array<Named, N>& table, const json& value) {
    const auto& name = value.get_ref<const json::string_t&>();
    for (const Named& entry : table) {
        if (entry.name == name)
            return entry.id;
    }
    return std::nullopt;
}

// The control named by `field`, which must be a string naming one of `table`.
template <std::size_t N>
bool ReadControl(const json& object, std::string_view field, std::string_view what,
                 const std::array<Named, N>& table, ControlId& out, std::string& error) {
    const json& value = object.at(json::string_t(field));
    if (!value.is_string()) {
        error = "\"" + std::string(field) + "\" must be a string";
        return false;
    }
    const auto id = Lookup(table, value);
    if (!id) {
        error = "unknown " + std::string(what) + " " + Quoted(value);
        return false;
    }
    out = *id;
    return true;
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

std::optional<Event> ParseEventLine(std::string_view line, std::string& error) {
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

    Event event;
    event.kind = shape->kind;
    switch (shape->kind) {
        case EventKind::Choose:
            if (!ReadControl(object, "picker", "picker", kPickers, event.control, error) ||
                !ReadIndex(object.at("index"), event.index, error)) {
                return std::nullopt;
            }
            break;
        case EventKind::Type:
            if (!ReadControl(object, "picker", "picker", kPickers, event.control, error)) {
                return std::nullopt;
            }
            [[fallthrough]];
        case EventKind::TypeCount: {
            const json& text = object.at("text");
            if (!text.is_string()) {
                error = "\"text\" must be a string";
                return std::nullopt;
            }
            event.text = FromUtf8(text.get_ref<const json::string_t&>());
            break;
        }
        case EventKind::Click:
            if (!ReadControl(object, "button", "button", kButtons, event.control, error)) {
                return std::nullopt;
            }
            break;
    }
    return event;
}

void Apply(ScenarioDriver& driver, const Event& event) {
    switch (event.kind) {
        case EventKind::Choose:
            driver.Choose(event.control, event.index);
            break;
        case EventKind::Type:
            driver.Type(event.control, event.text);
            break;
        case EventKind::TypeCount:
            driver.TypeCount(event.text);
            break;
        case EventKind::Click:
            driver.Click(event.control);
            break;
    }
}

}  // namespace zerkan::replay
