#pragma once

// The main window as the handlers see it: controls by numeric id, three bound values the
// window owns, and twelve operations. A realisation must honour the effects documented on
// each operation; the handlers rely on nothing else.

#include <string_view>

#include "text.h"

namespace zerkan {

enum class ControlId : int {
    NamePicker = 1000,
    SymbolPicker = 1001,
    CountField = 1002,
    UndoButton = 1003,
    AddButton = 1004,
    ResetButton = 1005,
    CountLabel = 1008,
    StepPrompt = 1009,
    AtomicMassValue = 1010,
    ProtonLine = 1011,
    ContentsBox = 1026,
    MolecularMassBox = 1028,
    FormulaBox = 1031,
    NumberPicker = 1034,
    PeriodGroupLine = 1036,
    KindLine = 1037,
    AtomicMassLabel = 1041,
    SearchButton = 1042,
};

// The three pickers, which always follow one another.
inline constexpr ControlId kPickers[] = {ControlId::NumberPicker, ControlId::NamePicker,
                                         ControlId::SymbolPicker};

// The longest text the count field accepts once the window is initialised.
inline constexpr int kCountFieldLimit = 9;
// The longest text a picker's edit field takes, typed or pasted: far beyond any number, name
// or symbol, yet small enough that a pasted clipboard of megabytes cannot make every later
// key lay out that much text again.
inline constexpr int kPickerTextLimit = 1 << 20;

class MainWindowSurface {
  public:
    virtual ~MainWindowSurface() = default;

    // Shown exactly from now on. ContentsBox/FormulaBox: caret to the start. CountField: the
    // count field's change handler runs before this returns. Never used on the pickers.
    virtual void SetText(ControlId control, std::string_view text) = 0;
    // For a picker: the text in its edit field, typed or selected.
    virtual Text GetText(ControlId control) const = 0;
    // Selects the entry and shows its text; -1 removes the selection and empties the field.
    // No handler runs.
    virtual void SelectEntry(ControlId picker, int index) = 0;
    virtual int GetSelection(ControlId picker) const = 0;
    // Selects the first entry that begins with the edit text, ignoring case (-1 when none or
    // the text is empty); the edit text stays. No handler runs.
    virtual void MatchTypedText(ControlId picker) = 0;
    // Shows the value in signed decimal; the count field's change handler runs.
    virtual void SetCountValue(int value) = 0;
    // The count field read as a signed decimal integer; empty text reads as 0.
    virtual int ReadCountValue() const = 0;
    // Limits what the user can enter from now on; text already there is not cut.
    virtual void LimitCountLength(int maxLength) = 0;
    virtual void SetVisible(ControlId control, bool visible) = 0;
    // Writes the bound values into their controls with every change handler held back.
    virtual void PushBoundValues() = 0;
    // Caret at position (empty selection), scrolled into view; ContentsBox/FormulaBox only.
    virtual void PlaceCaret(ControlId box, int position) = 0;
    // Modal message box; returns once the user has dismissed it.
    virtual void ShowMessage(std::string_view text) = 0;

    double boundMolecularMass = 0.0;  // MolecularMassBox
    double boundAtomicMass = 0.0;     // AtomicMassValue
    int boundCount = 0;               // CountField

  protected:
    MainWindowSurface() = default;
    MainWindowSurface(const MainWindowSurface&) = default;
    MainWindowSurface& operator=(const MainWindowSurface&) = default;
};

// How every realisation reads the count field's text (ReadCountValue), defined for any text:
// optional leading blanks (space, tab, CR, LF, VT, FF), an optional minus sign, then decimal
// digits up to the first character that is not one; whatever follows is ignored. No digits
// gives 0 (so does empty text). A value beyond the 32-bit range is clamped to INT_MAX, or to
// INT_MIN with the minus sign. A plus sign is not accepted: "+5" reads as 0.
int ReadCountText(std::string_view text);

// Entry `index` (0..111) of a picker's list: the number, the name or the symbol.
Text PickerEntryText(ControlId picker, int index);
bool IsPicker(ControlId control);
// The first entry of the picker's list that begins with `typed`, ignoring case; -1 when none
// does or `typed` is empty. How every realisation's MatchTypedText chooses.
int FirstMatchingEntry(ControlId picker, std::string_view typed);
// The control's member name ("NamePicker", "AddButton", ...), which is also the real window's
// objectName and the name events use for it; empty for an id that names no control.
std::string_view ControlName(ControlId control);

}  // namespace zerkan
