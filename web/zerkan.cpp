// The program on the page: its one record, its window, and the entry points the page script
// calls for each user event, as the event table of the desktop windows binds them.

#include <emscripten/emscripten.h>

#include <optional>
#include <string>

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

}  // extern "C"
