#include <memory>
#include <utility>

#include "driver.h"
#include "tests/support/memory_surface.h"

namespace zerkan::replay {
namespace {

// The window kept as plain values, with a record of its own: each scenario starts from a
// fresh program.
class MemoryDriver final : public ScenarioDriver {
  public:
    MemoryDriver() : surface_(state_) { surface_.Initialise(); }

    void Apply(const Gesture& gesture) override { test::Apply(surface_, gesture); }
    WindowView Read() const override { return test::ViewOf(surface_); }
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
