// Every handler through the in-memory surface: the cost of the logic alone.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <string_view>

#include "bench/action_benchmarks.h"
#include "core/composition_state.h"
#include "tests/support/memory_surface.h"

namespace {

class MemoryDriver {
  public:
    MemoryDriver() { surface_.Initialise(); }

    void Apply(const zerkan::test::Gesture& gesture) { zerkan::test::Apply(surface_, gesture); }
    void Settle() {}
    const zerkan::CompositionState& State() const { return state_; }
    std::size_t MessageCount() const { return surface_.Messages().size(); }

  private:
    zerkan::CompositionState state_;
    zerkan::MemorySurface surface_{state_};
};

benchmark::IterationCount Iterations(std::string_view action, int entries) {
    // Reset is restored by rebuilding the whole molecule, Add by an Undo; keep that bounded.
    if (action == "Reset")
        return entries >= 999 ? 100 : entries >= 100 ? 1000 : 20000;
    return entries >= 999 ? 1000 : entries >= 100 ? 5000 : 20000;
}

}  // namespace

int main(int argc, char** argv) {
    MemoryDriver driver;
    zerkan::bench::RegisterActionBenchmarks("memory", driver, &Iterations);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
