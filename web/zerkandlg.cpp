#include "web/zerkandlg.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include <string>

#include "core/elements.h"
#include "core/exchange.h"
#include "core/handlers.h"
#include "core/text.h"

// The page script's operations on the window's elements, by control id. Texts go to the page
// in UTF-8, converted by the program's own table (the browser decodes UTF-8 fastest: mostly
// ASCII, a long contents list in a few microseconds); they come back as UTF-16.
// clang-format off
EM_JS(void, zk_page_set_text, (int id, const char* text, int length), {
    Module.page.setText(id, Module.page.decode(HEAPU8.subarray(text, text + length)));
});
EM_JS(int, zk_page_text_length, (int id), {
    return Module.page.getText(id).length;
});
EM_JS(void, zk_page_copy_text, (int id, char16_t* out, int length), {
    stringToUTF16(Module.page.getText(id), out, length * 2 + 2);
});
EM_JS(void, zk_page_select_entry, (int id, int index), {
    Module.page.selectEntry(id, index);
});
EM_JS(int, zk_page_selection, (int id), {
    return Module.page.selection(id);
});
EM_JS(void, zk_page_mark_entry, (int id, int index), {
    Module.page.markEntry(id, index);
});
EM_JS(void, zk_page_limit_count, (int length), {
    Module.page.limitCount(length);
});
EM_JS(void, zk_page_set_visible, (int id, int visible), {
    Module.page.setVisible(id, visible != 0);
});
EM_JS(void, zk_page_place_caret, (int id, int position), {
    Module.page.placeCaret(id, position);
});
EM_JS(void, zk_page_show_message, (const char* text, int length), {
    Module.page.showMessage(Module.page.decode(HEAPU8.subarray(text, text + length)));
});
EM_JS(void, zk_page_focus_and_select, (int id), {
    Module.page.focusAndSelect(id);
});
// clang-format on

namespace zerkan {
namespace {

int Id(ControlId control) {
    return static_cast<int>(control);
}

void Write(ControlId control, std::string_view text) {
    const std::string utf8 = ToUtf8(text);
    zk_page_set_text(Id(control), utf8.data(), static_cast<int>(utf8.size()));
}

// The controls the user cannot edit; the window writes them again only when their text
// changes (tens of thousands of characters, for the contents of a long molecule).
bool KeepsShownText(ControlId control) {
    return control != ControlId::CountField && !IsPicker(control);
}

}  // namespace

void MainDialog::WriteText(ControlId control, std::string_view text) {
    if (!KeepsShownText(control)) {
        Write(control, text);
        return;
    }
    const auto [shown, first] = shown_.try_emplace(control);
    if (!first && shown->second == text) {
        // Already shown; a box still gets its caret back to the start.
        if (control == ControlId::ContentsBox || control == ControlId::FormulaBox)
            zk_page_place_caret(Id(control), 0);
        return;
    }
    shown->second.assign(text);
    Write(control, text);
}

MainDialog::MainDialog(CompositionState& state) : state_(state) {}

void MainDialog::OnInitDialog() {
    // The pickers are filled and unselected by the page as it builds them.
    DoDataExchange(false);
    SetText(ControlId::MolecularMassBox, "");
    SetText(ControlId::AtomicMassValue, "");
    SetVisible(ControlId::AtomicMassLabel, false);
    // Runs the count field's change handler: count reads 0 and the 9-character limit starts.
    SetText(ControlId::CountField, "");
}

void MainDialog::SetText(ControlId control, std::string_view text) {
    WriteText(control, text);
    // The window system reports every write to the count field, even of the same text.
    if (control == ControlId::CountField)
        OnCountChanged(state_, *this);
}

Text MainDialog::GetText(ControlId control) const {
    const int length = zk_page_text_length(Id(control));
    std::u16string units(static_cast<std::size_t>(length), u'\0');
    zk_page_copy_text(Id(control), units.data(), length);
    return FromUtf16(units);
}

void MainDialog::SelectEntry(ControlId picker, int index) {
    zk_page_select_entry(Id(picker), index >= 0 && index < kElementCount ? index : -1);
}

int MainDialog::GetSelection(ControlId picker) const {
    return zk_page_selection(Id(picker));
}

void MainDialog::MatchTypedText(ControlId picker) {
    zk_page_mark_entry(Id(picker), FirstMatchingEntry(picker, GetText(picker)));
}

void MainDialog::SetCountValue(int value) {
    SetText(ControlId::CountField, FormatInt(value));
}

int MainDialog::ReadCountValue() const {
    return ReadCountText(GetText(ControlId::CountField));
}

void MainDialog::LimitCountLength(int maxLength) {
    zk_page_limit_count(maxLength > 0 ? maxLength : 0);
}

void MainDialog::SetVisible(ControlId control, bool visible) {
    zk_page_set_visible(Id(control), visible ? 1 : 0);
}

void MainDialog::PushBoundValues() {
    DoDataExchange(false);
}

void MainDialog::PlaceCaret(ControlId box, int position) {
    zk_page_place_caret(Id(box), position);
}

void MainDialog::ShowMessage(std::string_view text) {
    const std::string utf8 = ToUtf8(text);
    zk_page_show_message(utf8.data(), static_cast<int>(utf8.size()));
}

bool MainDialog::DoDataExchange(bool save) {
    if (!save) {
        WriteText(ControlId::CountField, FormatInt(boundCount));
        WriteText(ControlId::MolecularMassBox, FormatMass(boundMolecularMass));
        WriteText(ControlId::AtomicMassValue, FormatMass(boundAtomicMass));
        return true;
    }
    const SaveOutcome outcome = SaveBoundValues(*this);
    if (!outcome.ok) {
        ShowMessage(outcome.message);
        zk_page_focus_and_select(Id(outcome.failedControl));
    }
    return outcome.ok;
}

bool MainDialog::AcceptAction() {
    return DoDataExchange(true);
}

}  // namespace zerkan
