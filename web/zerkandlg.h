#pragma once

// The main window on a web page. Data flow: a user event on an element -> the page script
// (page/zerkan.js) -> an exported entry point (zerkan.cpp) -> a core handler, given the
// program-wide CompositionState and this window as its MainWindowSurface -> the handler updates
// the record and shows the result through the surface operations below, which write the
// page's elements through the page script. Texts cross to the page as UTF-16.

#include <map>

#include "core/composition_state.h"
#include "core/surface.h"

namespace zerkan {

class MainDialog final : public MainWindowSurface {
  public:
    // The record belongs to the caller and outlives the window.
    explicit MainDialog(CompositionState& state);

    // Run once the page has built the window's elements.
    void OnInitDialog();

    // MainWindowSurface
    void SetText(ControlId control, std::string_view text) override;
    Text GetText(ControlId control) const override;
    void SelectEntry(ControlId picker, int index) override;
    int GetSelection(ControlId picker) const override;
    void MatchTypedText(ControlId picker) override;
    void SetCountValue(int value) override;
    int ReadCountValue() const override;
    void LimitCountLength(int maxLength) override;
    void SetVisible(ControlId control, bool visible) override;
    void PushBoundValues() override;
    void PlaceCaret(ControlId box, int position) override;
    // The page cannot wait for the user inside a handler: the box opens modal, the window
    // behind it takes no input, and the handler goes on. What the user sees once the box is
    // dismissed is what a waiting handler would have shown.
    void ShowMessage(std::string_view text) override;

    // Load (save = false): writes the bound values; the count field's handler does not run.
    // Save: reads and checks them in binding order; at the first failure tells the user why,
    // selects the failing control's text and returns false.
    bool DoDataExchange(bool save);

    // Enter in a field: the save-direction exchange; true when the window may end.
    bool AcceptAction();

    CompositionState& Record() const { return state_; }

  private:
    void WriteText(ControlId control, std::string_view text);

    CompositionState& state_;
    std::map<ControlId, Text> shown_;  // what the page shows in each control the user cannot edit
};

}  // namespace zerkan
