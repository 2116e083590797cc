#include "tests/support/gesture_line.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

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

// Builds the line's object as json::parse does, and notes what json::parse lets pass
// silently: a key given twice in the event (the last would win) and an integer too wide for
// 64 bits (it would become a double).
class LineReader {
  public:
    explicit LineReader(json& result) : dom_(result) {}

    bool null() { return dom_.null(); }
    bool boolean(bool value) { return dom_.boolean(value); }
    bool number_integer(json::number_integer_t value) { return dom_.number_integer(value); }
    bool number_unsigned(json::number_unsigned_t value) { return dom_.number_unsigned(value); }
    bool number_float(json::number_float_t value, const json::string_t& literal) {
        if (depth_ == 1 && literal.find_first_of(".eE") == json::string_t::npos)
            wideIntegers_.emplace_back(lastKey_, literal);
        return dom_.number_float(value, literal);
    }
    bool string(json::string_t& value) { return dom_.string(value); }
    bool binary(json::binary_t& value) { return dom_.binary(value); }
    bool start_object(std::size_t size) {
        ++depth_;
        return dom_.start_object(size);
    }
    bool key(json::string_t& key) {
        if (depth_ == 1) {
            if (std::find(keys_.begin(), keys_.end(), key) != keys_.end() && duplicate_.empty())
                duplicate_ = key;
            keys_.push_back(key);
            lastKey_ = key;
        }
        return dom_.key(key);
    }
    bool end_object() {
        --depth_;
        return dom_.end_object();
    }
    bool start_array(std::size_t size) {
        ++depth_;
        return dom_.start_array(size);
    }
    bool end_array() {
        --depth_;
        return dom_.end_array();
    }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& failure) {
        return dom_.parse_error(position, token, failure);  // throws, as json::parse does
    }

    const json::string_t& Duplicate() const { return duplicate_; }
    // The literal of an integer beyond 64 bits given for `key`, or empty.
    json::string_t WideInteger(std::string_view key) const {
        for (const auto& [where, literal] : wideIntegers_) {
            if (where == key)
                return literal;
        }
        return {};
    }

  private:
    nlohmann::detail::json_sax_dom_parser<json> dom_;
    int depth_ = 0;
    std::vector<json::string_t> keys_;
    json::string_t lastKey_;
    json::string_t duplicate_;
    std::vector<std::pair<json::string_t, json::string_t>> wideIntegers_;
};

bool ReadIndex(const json& value, const LineReader& reader, int& out, std::string& error) {
    if (const json::string_t wide = reader.WideInteger("index"); !wide.empty()) {
        error = "index " + wide + " is outside 0..111";
        return false;
    }
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
    if (const auto nul = line.find('\0'); nul != std::string_view::npos) {
        error = "a NUL byte at byte " + std::to_string(nul + 1);
        return std::nullopt;
    }
    json object;
    LineReader reader(object);
    try {
        json::sax_parse(line.begin(), line.end(), &reader);
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
    if (!reader.Duplicate().empty()) {
        error = "field " + Quoted(json(reader.Duplicate())) + " given twice";
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
                !ReadIndex(object.at("index"), reader, event.index, error)) {
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
