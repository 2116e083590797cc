#pragma once

// What the scenario runner drives: a main window, in memory or real, through user-level
// events, and what it reads back after each event. Texts are Windows-1254, as in the core.

#include <memory>
#include <string_view>
#include <vector>

#include "core/composition_state.h"
#include "core/surface.h"

namespace zerkan::replay {

struct PickerView {
    Text text;
    int sel = -1;
};

struct BoxView {
    Text text;
    int caret = 0;
};

struct WindowView {
    PickerView numberPicker, namePicker, symbolPicker;
    BoxView contentsBox, formulaBox;
    bool atomicMassLabelVisible = false;
    Text countField, stepPrompt, countLabel, protonLine, atomicMassValue, periodGroupLine, kindLine,
        molecularMassBox;
};

// Everything the surface's own operations read back; a driver adds what only it can see:
// the caption's visibility and the two boxes' carets.
inline WindowView ReadThroughSurface(const MainWindowSurface& surface, bool atomicMassLabelVisible,
                                     int contentsCaret, int formulaCaret) {
    auto picker = [&surface](ControlId id) {
        return PickerView{surface.GetText(id), surface.GetSelection(id)};
    };
    auto text = [&surface](ControlId id) { return surface.GetText(id); };
    WindowView view;
    view.numberPicker = picker(ControlId::NumberPicker);
    view.namePicker = picker(ControlId::NamePicker);
    view.symbolPicker = picker(ControlId::SymbolPicker);
    view.contentsBox = {text(ControlId::ContentsBox), contentsCaret};
    view.formulaBox = {text(ControlId::FormulaBox), formulaCaret};
    view.atomicMassLabelVisible = atomicMassLabelVisible;
    view.countField = text(ControlId::CountField);
    view.stepPrompt = text(ControlId::StepPrompt);
    view.countLabel = text(ControlId::CountLabel);
    view.protonLine = text(ControlId::ProtonLine);
    view.atomicMassValue = text(ControlId::AtomicMassValue);
    view.periodGroupLine = text(ControlId::PeriodGroupLine);
    view.kindLine = text(ControlId::KindLine);
    view.molecularMassBox = text(ControlId::MolecularMassBox);
    return view;
}

class ScenarioDriver {
  public:
    virtual ~ScenarioDriver() = default;
    // The user chooses entry `index` (0..111) from the picker's list.
    virtual void Choose(ControlId picker, int index) = 0;
    // The user replaces the picker's edit text with the list closed.
    virtual void Type(ControlId picker, std::string_view text) = 0;
    // The user replaces the count field's text; non-digits are dropped, the rest is cut to
    // the field's limit.
    virtual void TypeCount(std::string_view text) = 0;
    // SearchButton, AddButton, UndoButton or ResetButton.
    virtual void Click(ControlId button) = 0;

    virtual WindowView Read() const = 0;
    // The message boxes shown since the last call, in order; each was dismissed at once.
    virtual std::vector<Text> TakeMessages() = 0;
    virtual const CompositionState& State() const = 0;
};

std::unique_ptr<ScenarioDriver> MakeMemoryDriver();
// Built only with the window: a real MainDialog, offscreen, driven by real input events.
std::unique_ptr<ScenarioDriver> MakeWindowDriver(int& argc, char** argv);

}  // namespace zerkan::replay
