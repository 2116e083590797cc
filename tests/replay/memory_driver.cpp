#include <memory>
#include <utility>

#include "core/memory_surface.h"
#include "driver.h"

namespace zerkan::replay {
namespace {

// The window kept as plain values, with a record of its own: each scenario starts from a
// fresh program.
class MemoryDriver final : public ScenarioDriver {
  public:
    MemoryDriver() : surface_(state_) { surface_.Initialise(); }

    void Choose(ControlId picker, int index) override { surface_.UserChoose(picker, index); }
    void Type(ControlId picker, std::string_view text) override { surface_.UserType(picker, text); }
    void TypeCount(std::string_view text) override { surface_.UserTypeCount(text); }
    void Click(ControlId button) override { surface_.UserClick(button); }

    WindowView Read() const override {
        WindowView view;
        view.numberPicker = Picker(ControlId::NumberPicker);
        view.namePicker = Picker(ControlId::NamePicker);
        view.symbolPicker = Picker(ControlId::SymbolPicker);
        view.contentsBox = Box(ControlId::ContentsBox);
        view.formulaBox = Box(ControlId::FormulaBox);
        view.atomicMassLabelVisible = surface_.IsVisible(ControlId::AtomicMassLabel);
        view.countField = surface_.GetText(ControlId::CountField);
        view.stepPrompt = surface_.GetText(ControlId::StepPrompt);
        view.countLabel = surface_.GetText(ControlId::CountLabel);
        view.protonLine = surface_.GetText(ControlId::ProtonLine);
        view.atomicMassValue = surface_.GetText(ControlId::AtomicMassValue);
        view.periodGroupLine = surface_.GetText(ControlId::PeriodGroupLine);
        view.kindLine = surface_.GetText(ControlId::KindLine);
        view.molecularMassBox = surface_.GetText(ControlId::MolecularMassBox);
        return view;
    }

    std::vector<Text> TakeMessages() override {
        std::vector<Text> shown = surface_.Messages();
        surface_.ClearMessages();
        return shown;
    }

    const CompositionState& State() const override { return state_; }

  private:
    PickerView Picker(ControlId picker) const {
        return {surface_.GetText(picker), surface_.GetSelection(picker)};
    }
    BoxView Box(ControlId box) const { return {surface_.GetText(box), surface_.Caret(box)}; }

    CompositionState state_;
    MemorySurface surface_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeMemoryDriver() {
    return std::make_unique<MemoryDriver>();
}

}  // namespace zerkan::replay
