#pragma once

// What must hold between any two user events, whatever was typed, pasted or clicked before:
// one checking function over the record and what the window shows (window_view.h), so that
// the in-memory surface and the real window are checked by the same code.

#include <string>
#include <vector>

#include "core/composition_state.h"
#include "core/text.h"
#include "tests/support/memory_surface.h"
#include "tests/support/window_view.h"

namespace zerkan::robust {

using test::WindowView;

// What the checker remembers between events: the formula and contents texts it last found
// right, so that long sessions do not rebuild them after every event.
class InvariantHistory {
  public:
    // Call once after every event (CheckInvariants does); events must not be batched, or an
    // Add and an Undo between two calls would go unseen.
    void Observe(const CompositionState& state);

    // Texts already found to spell entries 0..step-2 at this step.
    bool Verified(const CompositionState& state) const;
    void MarkVerified(const CompositionState& state);

  private:
    int verifiedStep_ = 0;
    Text verifiedFormula_, verifiedContents_;
};

// Observes the state into `history`, then returns every invariant that does not hold, one
// readable line each; empty when all hold. Never crashes on a corrupt record. The invariants:
// - 1 <= step <= 1001, and entries 0..step-2 hold an element 0..111 and a count 1..999999999;
// - molecularMass is the in-order sum of count times atomic mass over those entries, bit for
//   bit (Undo sums the remaining entries again), exactly 0.0 when none is held;
//   MolecularMassBox shows it (empty at step 1);
// - formulaText and contentsText spell the entries by the formula and contents rules;
//   FormulaBox shows formulaText; ContentsBox shows contentsText (after Undo, Reset) or it
//   with its final ", " as one blank (after Add);
// - StepPrompt and CountLabel carry step (and show promptText, countLabelText once written);
// - CountField holds at most nine digits, and count is their value (0 when empty);
// - selectedIndex is -1..111;
// - the information area is empty (four empty lines, AtomicMassLabel hidden) or describes
//   the one element that all three pickers show and select.
std::vector<std::string> CheckInvariants(const CompositionState& state, const WindowView& view,
                                         InvariantHistory& history);
std::vector<std::string> CheckInvariants(const CompositionState& state,
                                         const MemorySurface& surface, InvariantHistory& history);

// The message a refused Add shows for the noble gas `index`, and whether a text is one.
Text NobleGasMessage(int index);
bool IsNobleGasMessage(const Text& message);
// Whether a message box's text is one of the program's own.
bool IsOwnMessage(const Text& message);

}  // namespace zerkan::robust
