#pragma once

// The main window kept as plain values, with no window system: the surface the tests, the
// scenario runner, the fuzzers and the benchmarks drive. Gestures reach it through Apply
// (gesture.h), which raises the same events as the real window.

#include <array>
#include <string_view>
#include <vector>

#include "core/composition_state.h"
#include "core/surface.h"

namespace zerkan {

class MemorySurface final : public MainWindowSurface {
  public:
    // The count field's change handler is bound to `state`, as the window's event table does.
    explicit MemorySurface(CompositionState& state);

    // What a freshly initialised window shows: every control back to its start, then
    // CountField emptied, which runs the change handler and so puts the 9-character limit in
    // force (and sets count to 0, as in the real window).
    void Initialise();

    // MainWindowSurface. On a picker, SetText puts the text into its edit field and keeps the
    // selection (the handlers never do this; tests use it to fill several pickers at once).
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
    void ShowMessage(std::string_view text) override;

    // A user's edit: the text shown as given and a picker's selection removed; no handler
    // runs (Apply runs the one the event table binds).
    void Edit(ControlId control, std::string_view text);
    CompositionState& Record() const { return state_; }

    // What the window shows.
    bool IsVisible(ControlId control) const;
    int Caret(ControlId box) const;
    int CountLengthLimit() const { return countLimit_; }  // 0 while no limit is set
    const std::vector<Text>& Messages() const { return messages_; }
    void ClearMessages() { messages_.clear(); }

  private:
    struct Control {
        Text text;
        int selection = -1;  // pickers
        int caret = 0;       // ContentsBox, FormulaBox
        bool visible = true;
    };
    Control& At(ControlId id);
    const Control& At(ControlId id) const;

    CompositionState& state_;
    std::array<Control, 48> controls_{};  // indexed by id - 1000
    Control unknown_;                     // absorbs ids that name no control
    int countLimit_ = 0;                  // 0: no limit yet
    std::vector<Text> messages_;
};

}  // namespace zerkan
