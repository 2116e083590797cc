#include "search.h"

#include "selection.h"
#include "texts.h"

namespace zerkan {

namespace {

// The two one-letter symbols that the prefix match would give to an earlier entry ("Si",
// "In"); the comparison is exact on purpose.
constexpr int kSulphur = 15;
constexpr int kIodine = 52;

}  // namespace

TypedTexts ReadTypedTexts(CompositionState& state, const MainWindowSurface& surface) {
    TypedTexts typed{surface.GetText(ControlId::SymbolPicker)};
    state.nameText = surface.GetText(ControlId::NamePicker);
    state.protonText = surface.GetText(ControlId::NumberPicker);
    return typed;
}

void ResolveTypedElement(CompositionState& state, MainWindowSurface& surface,
                         const TypedTexts& typed) {
    state.selectedIndex = -1;
    // Each match works on whatever the picker holds now, so an earlier match that refilled or
    // emptied the later pickers decides the precedence: symbol, then name, then number.
    if (!typed.symbolText.empty()) {
        surface.MatchTypedText(ControlId::SymbolPicker);
        state.selectedIndex = surface.GetSelection(ControlId::SymbolPicker);
        surface.SelectEntry(ControlId::NamePicker, state.selectedIndex);
        surface.SelectEntry(ControlId::NumberPicker, state.selectedIndex);
    }
    if (!state.nameText.empty()) {
        surface.MatchTypedText(ControlId::NamePicker);
        state.selectedIndex = surface.GetSelection(ControlId::NamePicker);
        surface.SelectEntry(ControlId::SymbolPicker, state.selectedIndex);
        surface.SelectEntry(ControlId::NumberPicker, state.selectedIndex);
        surface.SelectEntry(ControlId::NamePicker, state.selectedIndex);
    }
    if (!state.protonText.empty()) {
        surface.MatchTypedText(ControlId::NumberPicker);
        state.selectedIndex = surface.GetSelection(ControlId::NumberPicker);
    }
    if (typed.symbolText == "s" || typed.symbolText == "S")
        state.selectedIndex = kSulphur;
    if (typed.symbolText == "i" || typed.symbolText == "I")
        state.selectedIndex = kIodine;
    surface.SelectEntry(ControlId::NamePicker, state.selectedIndex);
    surface.SelectEntry(ControlId::SymbolPicker, state.selectedIndex);
    surface.SelectEntry(ControlId::NumberPicker, state.selectedIndex);
}

void OnSearch(CompositionState& state, MainWindowSurface& surface) {
    const TypedTexts typed = ReadTypedTexts(state, surface);
    const bool nothingTyped =
        typed.symbolText.empty() && state.nameText.empty() && state.protonText.empty();
    const bool allTyped =
        !typed.symbolText.empty() && !state.nameText.empty() && !state.protonText.empty();
    if (allTyped && state.selectedIndex != -1)
        return;

    ResolveTypedElement(state, surface, typed);
    if (state.selectedIndex >= 0) {
        ShowSelectedElement(state, surface, std::nullopt);
        return;
    }
    ShowStepPrompt(state, surface, texts::kChoosePrompt);
    surface.ShowMessage(nothingTyped ? texts::kNothingToSearch : texts::kNotFound);
}

}  // namespace zerkan
