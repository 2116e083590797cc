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
        return ReadThroughSurface(surface_, surface_.IsVisible(ControlId::AtomicMassLabel),
                                  surface_.Caret(ControlId::ContentsBox),
                                  surface_.Caret(ControlId::FormulaBox));
    }

    std::vector<Text> TakeMessages() override {
        std::vector<Text> shown = surface_.Messages();
        surface_.ClearMessages();
        return shown;
    }

    const CompositionState& State() const override { return state_; }

  private:
    CompositionState state_;
    MemorySurface surface_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeMemoryDriver() {
    return std::make_unique<MemoryDriver>();
}

}  // namespace zerkan::replay
