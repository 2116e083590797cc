#include "tests/support/window_view.h"

#include "tests/support/memory_surface.h"

namespace zerkan::test {

WindowView ReadThroughSurface(const MainWindowSurface& surface, bool atomicMassLabelVisible,
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

WindowView ViewOf(const MemorySurface& surface) {
    return ReadThroughSurface(surface, surface.IsVisible(ControlId::AtomicMassLabel),
                              surface.Caret(ControlId::ContentsBox),
                              surface.Caret(ControlId::FormulaBox));
}

}  // namespace zerkan::test
