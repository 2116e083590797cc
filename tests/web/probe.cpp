// The tests' probe in their build of the page: reads the scenario lines with the runner's own
// parser, prints what the page's window shows in the runner's own format, and can run a
// gesture straight through the handlers to bring the window to a state quickly. The page
// shipped to users has none of it.

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/handlers.h"
#include "observation.h"
#include "tests/support/gesture_line.h"
#include "web/zerkan.h"

// clang-format off
EM_JS(void, zk_probe_install, (), {
    globalThis.zerkanProbe = Module;
});
EM_JS(int, zk_probe_visible, (int id), {
    return Module.page.isVisible(id) ? 1 : 0;
});
EM_JS(int, zk_probe_caret, (int id), {
    return Module.page.caret(id);
});
EM_JS(void, zk_probe_edit, (int id, const char* utf8), {
    Module.page.setText(id, UTF8ToString(utf8));
    if (id !== 1002) Module.page.markEntry(id, -1);
});
// clang-format on

namespace zerkan {
namespace {

const struct Installer {
    Installer() { zk_probe_install(); }
} installer;

std::string reply;

void Apply(const test::Gesture& gesture) {
    CompositionState& state = ProgramState();
    MainDialog& window = ProgramWindow();
    switch (gesture.kind) {
        case test::Gesture::Kind::Choose:
            window.SelectEntry(gesture.control, gesture.index);
            OnPickerSelected(state, window, gesture.control);
            break;
        case test::Gesture::Kind::Type:
            zk_probe_edit(static_cast<int>(gesture.control), ToUtf8(gesture.text).c_str());
            OnPickerEdited(state, window, gesture.control);
            break;
        case test::Gesture::Kind::TypeCount: {
            Text digits;
            for (const char c : gesture.text) {
                if (c >= '0' && c <= '9' && digits.size() < kCountFieldLimit)
                    digits.push_back(c);
            }
            zk_probe_edit(static_cast<int>(ControlId::CountField), digits.c_str());
            OnCountChanged(state, window);
            break;
        }
        case test::Gesture::Kind::Click:
            if (gesture.control == ControlId::AddButton)
                OnAdd(state, window);
            else if (gesture.control == ControlId::UndoButton)
                OnUndo(state, window);
            else if (gesture.control == ControlId::ResetButton)
                OnReset(state, window);
            else if (gesture.control == ControlId::SearchButton)
                OnSearch(state, window);
            break;
    }
}

}  // namespace
}  // namespace zerkan

using namespace zerkan;

extern "C" {

// {"blank":true}, {"error":REASON}, or the gesture as the runner's line reads it back. The
// line comes as bytes, which may hold anything a file can.
EMSCRIPTEN_KEEPALIVE const char* zk_probe_parse(const char* bytes, int length) {
    const std::string_view line(bytes, static_cast<std::size_t>(length));
    if (test::IsBlankLine(line)) {
        reply = R"({"blank":true})";
        return reply.c_str();
    }
    std::string error;
    const std::optional<test::Gesture> gesture = test::ParseReplayLine(line, error);
    reply = gesture ? test::ToReplayLine(*gesture) : nlohmann::json{{"error", error}}.dump();
    return reply.c_str();
}

// The runner's line for the window as it stands, with the message boxes (UTF-8 texts, a JSON
// array) that the caller saw and dismissed.
EMSCRIPTEN_KEEPALIVE const char* zk_probe_observe(const char* messagesJson) {
    std::vector<Text> messages;
    for (const auto& text : nlohmann::json::parse(messagesJson))
        messages.push_back(FromUtf8(text.get<std::string>()));
    const auto view = test::ReadThroughSurface(
        ProgramWindow(), zk_probe_visible(static_cast<int>(ControlId::AtomicMassLabel)) != 0,
        zk_probe_caret(static_cast<int>(ControlId::ContentsBox)),
        zk_probe_caret(static_cast<int>(ControlId::FormulaBox)));
    reply = replay::FormatObservation(view, messages, ProgramState());
    return reply.c_str();
}

// Runs one scenario line straight through the handlers; "" or the reason it is malformed.
EMSCRIPTEN_KEEPALIVE const char* zk_probe_apply(const char* line) {
    std::string error;
    if (const std::optional<test::Gesture> gesture = test::ParseReplayLine(line, error))
        Apply(*gesture);
    reply = error;
    return reply.c_str();
}

}  // extern "C"
