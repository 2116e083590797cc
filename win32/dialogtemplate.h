#pragma once

// Dialog templates built in memory from the one table of controls, in the form the dialog
// manager reads (DLGTEMPLATEEX with its DLGITEMTEMPLATEEX items), so the window can never
// differ from the table.

#include <windows.h>

#include <span>
#include <vector>

#include "core/controls.h"

namespace zerkan::win32 {

// Whether the dialog draws `label`, a row of `controls`, as text of its own instead of making
// it a window: the caption of a picker or a result box, which answer screen readers with their
// names from the table. Under Wine each window costs the start-up about a millisecond and a half.
bool DrawnByDialog(std::span<const layout::Control> controls, const layout::Control& label);

// Whether a label is made only when a text is first written into it: one without text in the
// table shows nothing until then, and the start-up does not pay for its window.
constexpr bool MadeWhenWritten(const layout::Control& c) {
    return c.kind == layout::Kind::Label && c.text.empty();
}

// The dialog's windows in z order, once every label is made: the table's order without the
// captions the dialog draws, except that each other caption comes just before the control it
// names, the order in which screen readers look for a control's name. The table's order among
// tab stops, the tab order, stays. The template makes them in this order.
std::vector<layout::Control> StackingOrder(std::span<const layout::Control> controls);

// A row's place in `dialog`'s client area, in pixels.
RECT PlaceOf(HWND dialog, const layout::Control& row);

class DialogTemplate {
  public:
    explicit DialogTemplate(const layout::Dialog& dialog);

    LPCDLGTEMPLATEW Get() const { return reinterpret_cast<LPCDLGTEMPLATEW>(words_.data()); }

  private:
    void Word(WORD w) { words_.push_back(w); }
    void Dword(DWORD d);
    void Text(std::string_view utf8);  // zero-terminated UTF-16
    void AlignToDword();

    std::vector<WORD> words_;
};

// UTF-8 (the table's texts) and the core's Windows-1254 texts as UTF-16 for the W functions.
std::wstring WideFromUtf8(std::string_view utf8);
std::wstring Wide(std::string_view text);

}  // namespace zerkan::win32
