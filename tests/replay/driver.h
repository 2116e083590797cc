#pragma once

// What the scenario runner drives: a main window, in memory or real, given one gesture at a
// time, and what it reads back after each.

#include <memory>
#include <vector>

#include "core/composition_state.h"
#include "tests/support/gesture.h"
#include "tests/support/window_view.h"

namespace zerkan::replay {

using test::Gesture;
using test::WindowView;

class ScenarioDriver {
  public:
    virtual ~ScenarioDriver() = default;
    virtual void Apply(const Gesture& gesture) = 0;
    virtual WindowView Read() const = 0;
    // The message boxes shown since the last call, in order; each was dismissed at once.
    virtual std::vector<Text> TakeMessages() = 0;
    virtual const CompositionState& State() const = 0;
};

std::unique_ptr<ScenarioDriver> MakeMemoryDriver();
// Built only with the window: a real MainDialog, offscreen, driven by real input events.
std::unique_ptr<ScenarioDriver> MakeWindowDriver(int& argc, char** argv);

}  // namespace zerkan::replay
