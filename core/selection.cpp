#include "selection.h"
#include "texts.h"

#include "elements.h"

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
        AssignWithNumber(state.promptText, texts::kChoosePrompt, state.step);
        surface.SetText(ControlId::StepPrompt, state.promptText);
        return;
    }
    ShowSelectedElement(state, surface, picker);
}

void OnPickerEdited(CompositionState& /*state*/, MainWindowSurface& surface, ControlId picker) {
    ClearElementInfo(surface, picker);
}

void ShowSelectedElement(CompositionState& state, MainWindowSurface& surface,
                         std::optional<ControlId> sourcePicker) {
    ClassifySelectedElement(state.selectedIndex, state.groupText, state.kindText, state.period,
                            state.periodGroupText);
    surface.SetText(ControlId::PeriodGroupLine, state.periodGroupText);
    surface.SetText(ControlId::KindLine, state.kindText);
    if (sourcePicker) {
        const OtherPickers others = MovedBySelection(*sourcePicker);
        surface.SelectEntry(others.first, state.selectedIndex);
        surface.SelectEntry(others.second, state.selectedIndex);
    } else {
        for (ControlId picker : kPickers)
            surface.SelectEntry(picker, state.selectedIndex);
    }
    AssignWithNumber(state.protonText, texts::kProtonLine,
                     static_cast<long long>(state.selectedIndex) + 1);
    surface.SetText(ControlId::ProtonLine, state.protonText);
    LookUpAtomicMass(state.selectedIndex, state.atomicMass);
    surface.boundAtomicMass = state.atomicMass;
    surface.PushBoundValues();
    surface.SetCountValue(state.count);
    if (state.step == 1)
        surface.SetText(ControlId::MolecularMassBox, "");
    if (state.count == 0)
        surface.SetText(ControlId::CountField, "");
    if (state.molecularMass == 0.0)
        surface.SetText(ControlId::MolecularMassBox, "");
    surface.SetVisible(ControlId::AtomicMassLabel, true);
    AssignWithNumber(state.promptText, texts::kChosenPrompt, state.step);
    surface.SetText(ControlId::StepPrompt, state.promptText);
    state.periodGroupText.clear();
    state.groupText.clear();
}

void ClearElementInfo(MainWindowSurface& surface, ControlId editedPicker) {
    surface.SetText(ControlId::KindLine, "");
    surface.SetText(ControlId::ProtonLine, "");
    surface.SetText(ControlId::PeriodGroupLine, "");
    surface.SetVisible(ControlId::AtomicMassLabel, false);
    surface.SetText(ControlId::AtomicMassValue, "");
    const OtherPickers others = EmptiedByEdit(editedPicker);
    surface.SelectEntry(others.first, -1);
    surface.SelectEntry(others.second, -1);
}

}  // namespace zerkan
