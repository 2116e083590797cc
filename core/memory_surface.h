#pragma once

// The main window kept as plain values, with no window system: the surface the tests, the
// scenario runner and the benchmarks drive. It raises the same events as the real window.

#include <array>
#include <string_view>
#include <vector>

#include "composition_state.h"
#include "surface.h"

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
    // ReadCountText (surface.h) on what CountField shows: optional blanks, an optional minus
    // sign, then digits up to the first other character; no digits reads as 0, and values
    // beyond 32 bits clamp to INT_MAX / INT_MIN. Never an error, never overflow.
    int ReadCountValue() const override;
    void LimitCountLength(int maxLength) override;
    void SetVisible(ControlId control, bool visible) override;
    void PushBoundValues() override;
    void PlaceCaret(ControlId box, int position) override;
    void ShowMessage(std::string_view text) override;

    // User-level events, each running the handler the window's event table binds.
    void UserChoose(ControlId picker, int index);  // entry from the list
    // Edit text replaced with the list closed; cut to kPickerTextLimit as the field does.
    void UserType(ControlId picker, std::string_view text);
    void UserTypeCount(std::string_view text);  // non-digits dropped, cut to limit; always
                                                // runs the change handler
    void UserClick(ControlId button);

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
