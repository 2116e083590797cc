// The scenario driver on the real Win32 window: a MainDialog, driven by the key, character and
// mouse messages a user's input produces, and read back from its controls.

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "driver.h"
#include "tests/support/win32/window_input.h"
#include "win32/zerkandlg.h"

namespace zerkan::replay {
namespace {

class Win32WindowDriver final : public ScenarioDriver {
  public:
    Win32WindowDriver()
        : state_(std::make_unique<CompositionState>()),
          dialog_(std::make_unique<win32::MainDialog>(*state_)) {
        dialog_->SetReadMeLauncher([](HWND) {});
        HWND window = dialog_->Create();
        if (window == nullptr)
            throw std::runtime_error("the window could not be created");
        // Outside the screen, as the Qt driver's offscreen platform: every control works, and
        // long runs spend no time drawing what nobody sees.
        SetWindowPos(window, nullptr, -4000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetForegroundWindow(window);
        test::Pump(window);
    }

    void Apply(const Gesture& gesture) override { test::Apply(*dialog_, gesture); }
    WindowView Read() const override { return test::ViewOf(*dialog_); }
    std::vector<Text> TakeMessages() override { return catcher_.TakeTexts(); }

    const CompositionState& State() const override { return *state_; }

  private:
    std::unique_ptr<CompositionState> state_;
    std::unique_ptr<win32::MainDialog> dialog_;
    test::BoxCatcher catcher_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeWindowDriver(int&, char**) {
    return std::make_unique<Win32WindowDriver>();
}

}  // namespace zerkan::replay
