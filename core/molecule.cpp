#include "molecule.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "elements.h"
#include "search.h"
#include "selection.h"
#include "texts.h"

namespace zerkan {

namespace {

// Both prompts for the current step, the count label shown first.
void ShowChoosePrompts(CompositionState& state, MainWindowSurface& surface) {
    AssignWithNumber(state.countLabelText, texts::kCountLabel, state.step);
    surface.SetText(ControlId::CountLabel, state.countLabelText);
    ShowStepPrompt(state, surface, texts::kChoosePrompt);
}

int Length(const Text& text) {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

// What a picker lists at an index; nothing for an index that names no entry.
std::string_view ListedName(int index) {
    return index >= 0 && index < kElementCount ? ElementTable::Name(index) : std::string_view{};
}
std::string_view ListedSymbol(int index) {
    return index >= 0 && index < kElementCount ? ElementTable::Symbol(index) : std::string_view{};
}
double ListedMass(int index) {
    double mass = 0.0;
    LookUpAtomicMass(index, mass);
    return mass;
}

char* Put(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Rebuilds both texts from the first `entries` entries by Add's rules ("count name, "; the
// symbol, then the count unless it is 0 or 1) and returns their molar mass summed in Add's
// order. The texts are written straight into storage sized for the longest possible entry,
// so that a long molecule costs one pass and no reallocation.
double RebuildFromEntries(CompositionState& state, int entries) {
    constexpr std::size_t kMaxCountLength = 11;  // "-2147483648"
    const auto n = static_cast<std::size_t>(entries);
    Text& contents = state.contentsText;
    Text& formula = state.formulaText;
    contents.resize(n * (kMaxCountLength + kMaxNameLength + 3));
    formula.resize(n * (kMaxSymbolLength + kMaxCountLength));
    char* c = contents.data();
    char* f = formula.data();
    double mass = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const int element = state.entryElement[i];
        const int count = state.entryCount[i];
        mass += static_cast<double>(count) * ListedMass(element);
        c = std::to_chars(c, c + kMaxCountLength, count).ptr;
        *c++ = ' ';
        c = Put(c, ListedName(element));
        *c++ = ',';
        *c++ = ' ';
        f = Put(f, ListedSymbol(element));
        if (count != 0 && count != 1)
            f = std::to_chars(f, f + kMaxCountLength, count).ptr;
    }
    contents.resize(static_cast<std::size_t>(c - contents.data()));
    formula.resize(static_cast<std::size_t>(f - formula.data()));
    return mass;
}

// Every Add ends here, whether it stored an entry or refused.
void ClearSelection(CompositionState& state, MainWindowSurface& surface) {
    ClearElementInfo(surface);
    surface.SetText(ControlId::CountField, "");
    for (ControlId picker : kPickers)
        surface.SelectEntry(picker, -1);
    state.selectedIndex = -1;
}

// Undo's record: both texts and the mass of the first `entries` entries, and the name and
// symbol of the last of them.
void KeepFirstEntries(CompositionState& state, int entries) {
    // Rebuilt straight from the entries, which keeps Undo linear in their number. The mass is
    // summed again rather than reduced by the removed entry: after a large entry, subtracting
    // it cancels the digits of what remains (1 Hidrojen and 999999999 Ununbiyum gave
    // 1.0079345703125 after Undo). The sum in Add's order is exactly the mass the molecule had
    // before the removed entry was added.
    state.molecularMass = RebuildFromEntries(state, entries);
    if (entries > 0) {
        const int last = state.entryElement[static_cast<std::size_t>(entries - 1)];
        state.nameText.assign(ListedName(last));
        state.symbolText.assign(ListedSymbol(last));
    }
}

// Undo's window: the bound values, and both boxes as the record now spells them.
void ShowMolecule(CompositionState& state, MainWindowSurface& surface) {
    surface.boundMolecularMass = state.molecularMass;
    surface.PushBoundValues();
    if (state.step == 1) {
        // An empty molecule weighs exactly nothing.
        state.molecularMass = 0.0;
        state.contentsText.clear();
        state.formulaText.clear();
    }
    if (state.molecularMass == 0.0)
        surface.SetText(ControlId::MolecularMassBox, "");
    surface.SetText(ControlId::ContentsBox, state.contentsText);
    surface.SetText(ControlId::FormulaBox, state.formulaText);
}

void AppendEntry(CompositionState& state, MainWindowSurface& surface) {
    ++state.step;
    ShowChoosePrompts(state, surface);
    state.count = surface.ReadCountValue();
    if (state.count == 0)
        state.count = 1;
    LookUpAtomicMass(state.selectedIndex, state.atomicMass);

    state.formulaText.append(state.symbolText);
    if (state.count != 1)
        AppendInt(state.formulaText, state.count);
    surface.SetText(ControlId::FormulaBox, state.formulaText);

    state.molecularMass += static_cast<double>(state.count) * state.atomicMass;

    // The box shows the list ending in one space, the record keeps it ending in ", ". Both are
    // built in contentsText itself; nothing reads it between the two forms.
    AppendInt(state.contentsText, state.count);
    state.contentsText.push_back(' ');
    state.contentsText.append(state.nameText);
    state.contentsText.push_back(' ');
    surface.SetText(ControlId::ContentsBox, state.contentsText);
    const int shownLength = Length(state.contentsText);

    surface.boundMolecularMass = state.molecularMass;
    surface.PushBoundValues();

    state.contentsText.back() = ',';
    state.contentsText.push_back(' ');

    surface.PlaceCaret(ControlId::ContentsBox, shownLength);
    surface.PlaceCaret(ControlId::FormulaBox, Length(state.formulaText));

    const auto slot = static_cast<std::size_t>(state.step - 2);
    state.entryCount[slot] = state.count;
    state.entryElement[slot] = state.selectedIndex;

    state.count = 0;
    state.periodGroupText.clear();
    state.groupText.clear();
}

}  // namespace

void OnAdd(CompositionState& state, MainWindowSurface& surface) {
    if (state.selectedIndex == -1) {
        const TypedTexts typed = ReadTypedTexts(state, surface);
        ResolveTypedElement(state, surface, typed);
    }
    ClassifySelectedElement(state.selectedIndex, state.groupText, state.kindText, state.period,
                            state.periodGroupText);

    state.selectedIndex = surface.GetSelection(ControlId::NamePicker);
    for (ControlId picker : kPickers)
        surface.SelectEntry(picker, state.selectedIndex);
    state.nameText = surface.GetText(ControlId::NamePicker);
    state.symbolText = surface.GetText(ControlId::SymbolPicker);

    if (state.selectedIndex == -1) {
        ShowChoosePrompts(state, surface);
        surface.ShowMessage(texts::kNothingChosen);
        state.count = 0;
    } else if (state.kindText == texts::kNobleGasKind) {
        ShowChoosePrompts(state, surface);
        Text message = state.nameText;
        message.append(texts::kNobleGasRefused);
        surface.ShowMessage(message);
    } else if (state.step < 1 || state.step - 1 >= kMaxEntries) {
        // The two entry arrays are full: refused like a noble gas, nothing is written. (A step
        // below 1 is never made by the handlers and would have no place either.)
        ShowChoosePrompts(state, surface);
        surface.ShowMessage(texts::kMoleculeFull);
    } else {
        AppendEntry(state, surface);
    }
    ClearSelection(state, surface);
}

void OnUndo(CompositionState& state, MainWindowSurface& surface) {
    // A step beyond the arrays was not made by Add; leave such a record alone rather than read
    // past them.
    if (state.step <= 1 || state.step - 1 > kMaxEntries)
        return;
    --state.step;
    const int held = state.step - 1;
    const int removed = state.entryElement[static_cast<std::size_t>(held)];
    state.selectedIndex = removed;
    LookUpAtomicMass(removed, state.atomicMass);
    ShowChoosePrompts(state, surface);

    KeepFirstEntries(state, held);
    for (ControlId picker : kPickers)
        surface.SelectEntry(picker, removed);
    surface.boundAtomicMass = state.atomicMass;
    ShowMolecule(state, surface);

    // The removed element is shown again, with an empty count.
    state.count = 0;
    surface.SetText(ControlId::CountField, "");
    surface.SetVisible(ControlId::AtomicMassLabel, true);
    ShowElementLines(state, surface, removed);
}

void OnReset(CompositionState& state, MainWindowSurface& surface) {
    state.step = 1;
    ShowChoosePrompts(state, surface);

    state.count = 0;
    state.molecularMass = 0.0;
    state.selectedIndex = -1;
    for (ControlId picker : kPickers)
        surface.SelectEntry(picker, -1);
    surface.SetText(ControlId::CountField, "");

    state.contentsText.clear();
    state.formulaText.clear();
    ClearElementInfo(surface);
    for (ControlId box :
         {ControlId::ContentsBox, ControlId::FormulaBox, ControlId::MolecularMassBox})
        surface.SetText(box, "");
    state.periodGroupText.clear();
    state.groupText.clear();
}

}  // namespace zerkan
