#include "selection.h"

#include "elements.h"
#include "texts.h"

namespace zerkan {

namespace {

// The two pickers that follow picker P, in the order its handlers touch them.
struct OtherPickers {
    ControlId first;
    ControlId second;
};

OtherPickers MovedBySelection(ControlId picker) {
    switch (picker) {
        case ControlId::NamePicker:
            return {ControlId::SymbolPicker, ControlId::NumberPicker};
        case ControlId::SymbolPicker:
            return {ControlId::NamePicker, ControlId::NumberPicker};
        default:
            return {ControlId::NamePicker, ControlId::SymbolPicker};
    }
}

OtherPickers EmptiedByEdit(ControlId picker) {
    switch (picker) {
        case ControlId::NamePicker:
            return {ControlId::SymbolPicker, ControlId::NumberPicker};
        case ControlId::SymbolPicker:
            return {ControlId::NumberPicker, ControlId::NamePicker};
        default:
            return {ControlId::SymbolPicker, ControlId::NamePicker};
    }
}

}  // namespace

void OnCountChanged(CompositionState& state, MainWindowSurface& surface) {
    state.count = surface.ReadCountValue();
    surface.LimitCountLength(kCountFieldLimit);
}

void OnPickerSelected(CompositionState& state, MainWindowSurface& surface, ControlId picker) {
    state.selectedIndex = surface.GetSelection(picker);
    if (state.selectedIndex < 0) {
        ShowStepPrompt(state, surface, texts::kChoosePrompt);
        return;
    }
    ShowSelectedElement(state, surface, picker);
}

void OnPickerEdited(CompositionState& /*state*/, MainWindowSurface& surface, ControlId picker) {
    ClearElementInfo(surface);
    const OtherPickers others = EmptiedByEdit(picker);
    surface.SelectEntry(others.first, -1);
    surface.SelectEntry(others.second, -1);
}

void ShowSelectedElement(CompositionState& state, MainWindowSurface& surface,
                         std::optional<ControlId> sourcePicker) {
    if (sourcePicker) {
        const OtherPickers others = MovedBySelection(*sourcePicker);
        surface.SelectEntry(others.first, state.selectedIndex);
        surface.SelectEntry(others.second, state.selectedIndex);
    } else {
        for (ControlId picker : kPickers)
            surface.SelectEntry(picker, state.selectedIndex);
    }
    ShowElementLines(state, surface, state.selectedIndex);
    LookUpAtomicMass(state.selectedIndex, state.atomicMass);
    surface.boundAtomicMass = state.atomicMass;
    surface.PushBoundValues();
    surface.SetCountValue(state.count);
    if (state.count == 0)
        surface.SetText(ControlId::CountField, "");
    if (state.step == 1 || state.molecularMass == 0.0)
        surface.SetText(ControlId::MolecularMassBox, "");
    surface.SetVisible(ControlId::AtomicMassLabel, true);
    ShowStepPrompt(state, surface, texts::kChosenPrompt);
}

void ShowStepPrompt(CompositionState& state, MainWindowSurface& surface, std::string_view format) {
    AssignWithNumber(state.promptText, format, state.step);
    surface.SetText(ControlId::StepPrompt, state.promptText);
}

void ShowElementLines(CompositionState& state, MainWindowSurface& surface, int index) {
    AssignWithNumber(state.protonText, texts::kProtonLine, static_cast<long long>(index) + 1);
    surface.SetText(ControlId::ProtonLine, state.protonText);
    ClassifySelectedElement(index, state.groupText, state.kindText, state.period,
                            state.periodGroupText);
    surface.SetText(ControlId::PeriodGroupLine, state.periodGroupText);
    surface.SetText(ControlId::KindLine, state.kindText);
    // Only the lines keep these two; the record's copies serve the classification alone.
    state.periodGroupText.clear();
    state.groupText.clear();
}

void ClearElementInfo(MainWindowSurface& surface) {
    for (ControlId line : {ControlId::ProtonLine, ControlId::AtomicMassValue,
                           ControlId::PeriodGroupLine, ControlId::KindLine}) {
        surface.SetText(line, "");
    }
    surface.SetVisible(ControlId::AtomicMassLabel, false);
}

}  // namespace zerkan
