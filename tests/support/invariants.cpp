#include "tests/support/invariants.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/elements.h"
#include "core/surface.h"
#include "core/texts.h"
#include "tests/support/memory_surface.h"

namespace zerkan::robust {
namespace {

constexpr int kLargestCount = 999999999;  // nine digits, the most the count field holds

// The number of entries the record claims, limited to what the arrays can hold so that a
// corrupt step never makes the checker read out of bounds.
int HeldEntries(const CompositionState& state) {
    return std::clamp(state.step - 1, 0, kMaxEntries);
}

bool ValidElement(int index) {
    return index >= 0 && index < kElementCount;
}

std::string Quote(std::string_view text) {
    // Built by appending: GCC 12 at -O3 warns falsely about "\"" + text + "\"".
    std::string quoted(1, '"');
    quoted += ToUtf8(text);
    quoted += '"';
    return quoted;
}

class Report {
  public:
    void Fail(std::string line) { lines_.push_back(std::move(line)); }
    void ExpectText(std::string_view what, std::string_view actual, std::string_view expected) {
        if (actual != expected)
            Fail(std::string(what) + " shows " + Quote(actual) + ", expected " + Quote(expected));
    }
    std::vector<std::string> Take() { return std::move(lines_); }

  private:
    std::vector<std::string> lines_;
};

// The in-order sum of count times atomic mass over the stored entries, the way Add builds it.
// Entries with an element outside 0..111 are skipped; so are they in the two texts.
double SumOfEntries(const CompositionState& state) {
    double sum = 0.0;
    for (int i = 0; i < HeldEntries(state); ++i) {
        const int element = state.entryElement[static_cast<std::size_t>(i)];
        if (!ValidElement(element))
            continue;
        sum += state.entryCount[static_cast<std::size_t>(i)] * ElementTable::AtomicMass(element);
    }
    return sum;
}

Text FormulaOfEntries(const CompositionState& state) {
    Text formula;
    for (int i = 0; i < HeldEntries(state); ++i) {
        const int element = state.entryElement[static_cast<std::size_t>(i)];
        const int count = state.entryCount[static_cast<std::size_t>(i)];
        if (!ValidElement(element))
            continue;
        formula += ElementTable::Symbol(element);
        if (count != 0 && count != 1)
            formula += FormatInt(count);
    }
    return formula;
}

Text ContentsOfEntries(const CompositionState& state) {
    Text contents;
    for (int i = 0; i < HeldEntries(state); ++i) {
        const int element = state.entryElement[static_cast<std::size_t>(i)];
        if (!ValidElement(element))
            continue;
        contents += FormatInt(state.entryCount[static_cast<std::size_t>(i)]);
        contents += ' ';
        contents += ElementTable::Name(element);
        contents += ", ";
    }
    return contents;
}

void CheckStepAndEntries(const CompositionState& state, Report& report) {
    if (state.step < 1 || state.step > kMaxEntries + 1) {
        report.Fail("step " + std::to_string(state.step) + " is outside 1..1001");
    }
    for (int i = 0; i < HeldEntries(state); ++i) {
        const int element = state.entryElement[static_cast<std::size_t>(i)];
        const int count = state.entryCount[static_cast<std::size_t>(i)];
        if (!ValidElement(element) || count < 1 || count > kLargestCount) {
            report.Fail("stored entry " + std::to_string(i) + " is (" + std::to_string(element) +
                        ", " + std::to_string(count) +
                        "); an entry needs an element 0..111 and a count 1..999999999");
            return;
        }
    }
}

void CheckMass(const CompositionState& state, Report& report) {
    const double mass = state.molecularMass;
    if (!std::isfinite(mass)) {
        report.Fail("molecularMass is not a finite number");
        return;
    }
    if (HeldEntries(state) == 0) {
        if (mass != 0.0)
            report.Fail("molecularMass is " + FormatMass(mass) + " with no entries");
        return;
    }
    const double sum = SumOfEntries(state);
    if (mass != sum) {
        report.Fail("molecularMass " + FormatMass(mass) + " differs from the in-order sum " +
                    FormatMass(sum) + " of the entries");
    }
}

void CheckFormulaAndContents(const CompositionState& state, const WindowView& view,
                             InvariantHistory& history, Report& report) {
    if (!history.Verified(state)) {
        const Text formula = FormulaOfEntries(state);
        const Text contents = ContentsOfEntries(state);
        report.ExpectText("formulaText", state.formulaText, formula);
        report.ExpectText("contentsText", state.contentsText, contents);
        if (state.formulaText == formula && state.contentsText == contents)
            history.MarkVerified(state);
    }
    report.ExpectText("FormulaBox", view.formulaBox.text, state.formulaText);
    const Text& contents = state.contentsText;
    // Add shows the list with its last ", " as one blank; Undo and Reset show it as kept.
    if (view.contentsBox.text == contents)
        return;
    const std::string_view shown = view.contentsBox.text;
    if (contents.ends_with(", ") && shown.size() + 1 == contents.size() && shown.ends_with(' ') &&
        contents.compare(0, shown.size() - 1, shown.substr(0, shown.size() - 1)) == 0) {
        return;
    }
    report.ExpectText("ContentsBox", view.contentsBox.text, contents);
}

void CheckPrompts(const CompositionState& state, const WindowView& view, Report& report) {
    const Text choose = FormatWithNumber(texts::kChoosePrompt, state.step);
    const Text chosen = FormatWithNumber(texts::kChosenPrompt, state.step);
    if (view.stepPrompt != choose && view.stepPrompt != chosen) {
        report.Fail("StepPrompt shows " + Quote(view.stepPrompt) + ", not the step " +
                    std::to_string(state.step));
    }
    report.ExpectText("CountLabel", view.countLabel,
                      FormatWithNumber(texts::kCountLabel, state.step));
    // Until a handler first writes them the two controls show the window's starting texts.
    if (!state.promptText.empty())
        report.ExpectText("StepPrompt", view.stepPrompt, state.promptText);
    if (!state.countLabelText.empty()) {
        report.ExpectText("CountLabel", view.countLabel, state.countLabelText);
    }
}

void CheckCount(const CompositionState& state, const WindowView& view, Report& report) {
    const Text& field = view.countField;
    const bool digitsOnly =
        std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digitsOnly || field.size() > static_cast<std::size_t>(kCountFieldLimit)) {
        report.Fail("CountField holds " + Quote(field) + ", not at most nine digits");
        return;
    }
    const int shown = field.empty() ? 0 : std::stoi(field);
    if (state.count != shown) {
        report.Fail("count is " + std::to_string(state.count) + " while CountField shows " +
                    Quote(field));
    }
}

void CheckElementInfo(const CompositionState& state, const WindowView& view, Report& report) {
    if (state.selectedIndex < -1 || state.selectedIndex >= kElementCount) {
        report.Fail("selectedIndex " + std::to_string(state.selectedIndex) + " is outside -1..111");
    }
    const bool empty = view.protonLine.empty() && view.atomicMassValue.empty() &&
                       view.periodGroupLine.empty() && view.kindLine.empty() &&
                       !view.atomicMassLabelVisible;
    if (empty)
        return;

    const int index = view.namePicker.selection;
    const bool pickersAgree =
        ValidElement(index) && view.numberPicker.selection == index &&
        view.symbolPicker.selection == index &&
        view.numberPicker.text == PickerEntryText(ControlId::NumberPicker, index) &&
        view.namePicker.text == PickerEntryText(ControlId::NamePicker, index) &&
        view.symbolPicker.text == PickerEntryText(ControlId::SymbolPicker, index);
    if (!pickersAgree) {
        report.Fail("the element information is shown while the pickers show " +
                    Quote(view.numberPicker.text) + ", " + Quote(view.namePicker.text) + ", " +
                    Quote(view.symbolPicker.text) + " (selections " +
                    std::to_string(view.numberPicker.selection) + ", " +
                    std::to_string(view.namePicker.selection) + ", " +
                    std::to_string(view.symbolPicker.selection) + ")");
        return;
    }
    const ElementClass kind = ElementTable::classify(index);
    report.ExpectText("ProtonLine", view.protonLine,
                      FormatWithNumber(texts::kProtonLine, index + 1));
    report.ExpectText("AtomicMassValue", view.atomicMassValue,
                      FormatMass(ElementTable::AtomicMass(index)));
    report.ExpectText("PeriodGroupLine", view.periodGroupLine, kind.periodGroupText);
    report.ExpectText("KindLine", view.kindLine, kind.kindText);
    if (!view.atomicMassLabelVisible) {
        report.Fail("AtomicMassLabel is hidden while an element is shown");
    }
}

void CheckMolecularMassBox(const CompositionState& state, const WindowView& view, Report& report) {
    const Text expected = state.step <= 1 ? Text() : FormatMass(state.molecularMass);
    report.ExpectText("MolecularMassBox", view.molecularMassBox, expected);
}

}  // namespace

void InvariantHistory::Observe(const CompositionState& state) {
    if (state.step <= 1)
        *this = InvariantHistory();
}

bool InvariantHistory::Verified(const CompositionState& state) const {
    return verifiedStep_ == state.step && verifiedFormula_ == state.formulaText &&
           verifiedContents_ == state.contentsText;
}

void InvariantHistory::MarkVerified(const CompositionState& state) {
    verifiedStep_ = state.step;
    verifiedFormula_ = state.formulaText;
    verifiedContents_ = state.contentsText;
}

std::vector<std::string> CheckInvariants(const CompositionState& state, const WindowView& view,
                                         InvariantHistory& history) {
    history.Observe(state);
    Report report;
    CheckStepAndEntries(state, report);
    CheckMass(state, report);
    CheckFormulaAndContents(state, view, history, report);
    CheckPrompts(state, view, report);
    CheckCount(state, view, report);
    CheckElementInfo(state, view, report);
    CheckMolecularMassBox(state, view, report);
    return report.Take();
}

std::vector<std::string> CheckInvariants(const CompositionState& state,
                                         const MemorySurface& surface, InvariantHistory& history) {
    return CheckInvariants(state, test::ViewOf(surface), history);
}

Text NobleGasMessage(int index) {
    return Text(ElementTable::Name(index)) + Text(texts::kNobleGasRefused);
}

bool IsNobleGasMessage(const Text& message) {
    for (int i = 0; i < kElementCount; ++i) {
        if (ElementTable::IsNobleGas(i) && message == NobleGasMessage(i))
            return true;
    }
    return false;
}

bool IsOwnMessage(const Text& message) {
    for (const std::string_view own :
         {texts::kNothingToSearch, texts::kNotFound, texts::kNothingChosen, texts::kMoleculeFull,
          texts::kIntegerExpected, texts::kCountRange, texts::kNumberExpected}) {
        if (message == own)
            return true;
    }
    return IsNobleGasMessage(message);
}

}  // namespace zerkan::robust
