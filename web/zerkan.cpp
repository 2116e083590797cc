// The program on the page: its one record, its window, and the entry points the page script
// calls for each user event, as the event table of the desktop windows binds them.

#include <emscripten/emscripten.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/controls.h"
#include "core/elements.h"
#include "core/handlers.h"
#include "core/text.h"
#include "web/zerkan.h"

namespace zerkan {
namespace {

CompositionState programState;
std::optional<MainDialog> mainWindow;

MainDialog& Window() {
    if (!mainWindow)
        mainWindow.emplace(programState);
    return *mainWindow;
}

bool IsPickerId(int id) {
    return IsPicker(static_cast<ControlId>(id));
}

void AppendJsonString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (const char c : utf8) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendControls(std::string& out, std::span<const layout::Control> controls) {
    out += '[';
    for (const layout::Control& c : controls) {
        if (out.back() != '[')
            out += ',';
        out += "{\"id\":" + std::to_string(c.id) + ",\"name\":";
        AppendJsonString(out, c.name);
        out += ",\"kind\":" + std::to_string(static_cast<int>(c.kind)) + ",\"text\":";
        AppendJsonString(out, c.text);
        out += ",\"x\":" + std::to_string(c.x) + ",\"y\":" + std::to_string(c.y) +
               ",\"w\":" + std::to_string(c.w) + ",\"h\":" + std::to_string(c.h) +
               ",\"accessible\":";
        AppendJsonString(out, c.accessible);
        out += '}';
    }
    out += ']';
}

void AppendDialog(std::string& out, const layout::Dialog& dialog) {
    out += "{\"title\":";
    AppendJsonString(out, dialog.title);
    out += ",\"w\":" + std::to_string(dialog.client.w) +
           ",\"h\":" + std::to_string(dialog.client.h) + ",\"controls\":";
    AppendControls(out, dialog.controls);
    out += '}';
}

// Both dialogs from the one table of controls, and the pickers' entries, for the page to build
// its elements from.
std::string LayoutJson() {
    std::string out = "{\"main\":";
    AppendDialog(out, layout::kMainDialog);
    out += ",\"about\":";
    AppendDialog(out, layout::kAboutDialog);
    out += ",\"entries\":{";
    for (const ControlId picker : kPickers) {
        if (out.back() != '{')
            out += ',';
        out += '"' + std::to_string(static_cast<int>(picker)) + "\":[";
        for (int i = 0; i < kElementCount; ++i) {
            if (i > 0)
                out += ',';
            AppendJsonString(out, ToUtf8(PickerEntryText(picker, i)));
        }
        out += ']';
    }
    out += "}}";
    return out;
}

}  // namespace

CompositionState& ProgramState() {
    return programState;
}

MainDialog& ProgramWindow() {
    return Window();
}

}  // namespace zerkan

using namespace zerkan;

extern "C" {

// A fresh program: the record as at start-up, the window's elements (built anew by the page)
// initialised.
EMSCRIPTEN_KEEPALIVE void zk_start() {
    programState = CompositionState{};
    mainWindow.reset();
    Window().OnInitDialog();
}

EMSCRIPTEN_KEEPALIVE void zk_picker_selected(int id) {
    if (IsPickerId(id))
        OnPickerSelected(programState, Window(), static_cast<ControlId>(id));
}

// The page has already forgotten the picker's selected entry and kept the typed text.
EMSCRIPTEN_KEEPALIVE void zk_picker_edited(int id) {
    if (IsPickerId(id))
        OnPickerEdited(programState, Window(), static_cast<ControlId>(id));
}

EMSCRIPTEN_KEEPALIVE void zk_count_changed() {
    OnCountChanged(programState, Window());
}

EMSCRIPTEN_KEEPALIVE void zk_clicked(int id) {
    switch (static_cast<ControlId>(id)) {
        case ControlId::AddButton:
            OnAdd(programState, Window());
            break;
        case ControlId::UndoButton:
            OnUndo(programState, Window());
            break;
        case ControlId::ResetButton:
            OnReset(programState, Window());
            break;
        case ControlId::SearchButton:
            OnSearch(programState, Window());
            break;
        default:
            break;
    }
}

// 1 when the window may end.
EMSCRIPTEN_KEEPALIVE int zk_accept() {
    return Window().AcceptAction() ? 1 : 0;
}

// UTF-8 JSON, owned by the program.
EMSCRIPTEN_KEEPALIVE const char* zk_layout() {
    static const std::string json = LayoutJson();
    return json.c_str();
}

// The code page's characters beyond ASCII, in UTF-8, so that the page can tell which typed
// characters the program's texts can hold.
EMSCRIPTEN_KEEPALIVE const char* zk_code_page() {
    static const std::string upper = [] {
        Text bytes;
        for (unsigned b = 0x80; b <= 0xFF; ++b)
            bytes.push_back(static_cast<char>(b));
        return ToUtf8(bytes);
    }();
    return upper.c_str();
}

}  // extern "C"
