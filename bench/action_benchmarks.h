#pragma once

// The action benchmarks, written once against a driver that the in-memory surface and the real
// window both provide. Each iteration times exactly one user action (and, for the window, the
// event-loop turn that paints its result); whatever puts the molecule back afterwards is done
// outside the timed region, by real Adds and Undos, so every iteration starts from the same
// molecule.
//
// A driver offers:
//   void Apply(const test::Gesture&);          // the user's gesture, as tests/support runs it
//   void Settle();                             // processes what the last action posted
//   const CompositionState& State() const;     std::size_t MessageCount() const;
// and, if it can, std::size_t PaintCount() const, reported per action as "paints", and
// static constexpr bool kReportsCpuTime, to have each action's process CPU time reported.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/composition_state.h"
#include "core/elements.h"
#include "core/surface.h"
#include "core/text.h"
#include "tests/support/gesture.h"

namespace zerkan::bench {

using test::Gesture;

inline constexpr int kEntryCounts[] = {0, 100, 999};

// The molecule the fixtures build: every element that Add accepts, in table order, with counts
// 1 to 12 so that the formula carries both bare symbols and numbers.
struct FixtureEntry {
    int element;
    int count;
};

inline FixtureEntry FixtureEntryAt(int k) {
    static const std::vector<int> accepted = [] {
        std::vector<int> indices;
        for (int i = 0; i < kElementCount; ++i) {
            if (!ElementTable::IsNobleGas(i))
                indices.push_back(i);
        }
        return indices;
    }();
    return {accepted[static_cast<std::size_t>(k) % accepted.size()], k % 12 + 1};
}

// The worst case for the result boxes: every entry the longest name with the longest count,
// 33,999 characters of contents and 11,000 of formula at 1000 entries.
inline constexpr int kLongestNameIndex = 108;  // Meitneryum/Unnilennyum
inline constexpr int kLongestCount = 999999999;

inline FixtureEntry LongestEntryAt(int) {
    return {kLongestNameIndex, kLongestCount};
}

using Fixture = FixtureEntry (*)(int);

inline int EntriesHeld(const CompositionState& state) {
    return state.step - 1;
}

template <class Driver>
void AddFixtureEntry(Driver& driver, int k, Fixture fixture) {
    const FixtureEntry entry = fixture(k);
    for (const Gesture& g : test::AddingEntry(entry.element, FormatInt(entry.count)))
        driver.Apply(g);
}

// Brings the molecule to exactly `entries` entries of the fixture; a molecule built from the
// other fixture is reset first.
template <class Driver>
void EnsureEntries(Driver& driver, int entries, Fixture fixture = &FixtureEntryAt) {
    const CompositionState& state = driver.State();
    const FixtureEntry first = fixture(0);
    const bool otherFixture = EntriesHeld(state) > 0 && (state.entryElement[0] != first.element ||
                                                         state.entryCount[0] != first.count);
    if (EntriesHeld(state) > entries || otherFixture)
        driver.Apply(Gesture::Click(ControlId::ResetButton));
    for (int k = EntriesHeld(state); k < entries; ++k)
        AddFixtureEntry(driver, k, fixture);
    driver.Settle();
}

// Paint events seen so far, for a driver that counts them (the real window).
template <class Driver>
std::size_t PaintsSoFar(const Driver& driver) {
    if constexpr (requires { driver.PaintCount(); }) {
        return driver.PaintCount();
    } else {
        return 0;
    }
}

// Times single actions and books each as its iteration's time. Only this region counts (the
// benchmarks use manual time), so set-up and restoring around it need no PauseTiming.
template <class Driver>
class ActionTimer {
  public:
    ActionTimer(benchmark::State& bm, Driver& driver)
        : bm_(bm), driver_(driver), messages_(driver.MessageCount()) {
        wallSeconds_.reserve(static_cast<std::size_t>(bm.max_iterations));
        cpuSeconds_.reserve(kCpuTime ? static_cast<std::size_t>(bm.max_iterations) : 0);
    }

    // Never inlined, so that a profiler can collect exactly the timed region:
    // valgrind --tool=callgrind --collect-atstart=no --toggle-collect='*ActionTimer*Time*'
    template <class Action>
    [[gnu::noinline]] void Time(Action&& action) {
        const std::size_t paintsBefore = PaintsSoFar(driver_);
        const double cpuStart = kCpuTime ? ProcessCpuSeconds() : 0.0;
        const auto start = std::chrono::steady_clock::now();
        action();
        driver_.Settle();
        const auto end = std::chrono::steady_clock::now();
        const double wall = std::chrono::duration<double>(end - start).count();
        wallSeconds_.push_back(wall);
        if (kCpuTime)
            cpuSeconds_.push_back(ProcessCpuSeconds() - cpuStart);
        paints_ += PaintsSoFar(driver_) - paintsBefore;
        bm_.SetIterationTime(wall);
    }

    // Refuses to report a number when an action showed a message box (it would be timing a
    // refusal, not the action) or the molecule was not put back.
    void Finish(int entries) {
        if (driver_.MessageCount() != messages_) {
            bm_.SkipWithError("the action showed a message box");
        } else if (EntriesHeld(driver_.State()) != entries) {
            bm_.SkipWithError("the molecule was not restored");
        } else {
            // Medians of this repetition's actions: a time slice lost to another process spoils
            // one action, not the figure.
            bm_.counters["wall_p50_us"] = Median(wallSeconds_) * 1e6;
            if (kCpuTime)
                bm_.counters["cpu_p50_us"] = Median(cpuSeconds_) * 1e6;
            if constexpr (requires { driver_.PaintCount(); }) {
                bm_.counters["paints"] = benchmark::Counter(static_cast<double>(paints_),
                                                            benchmark::Counter::kAvgIterations);
            }
        }
    }

  private:
    // The CPU time the process spent on the action, for drivers that ask for it: on a busy
    // machine the wall time also counts other processes' time slices, and Qt's raster engine
    // hands some fills to pool threads, which the process clock includes. Reading the clock
    // costs about a microsecond, too much for the in-memory actions.
    static constexpr bool kCpuTime = requires { Driver::kReportsCpuTime; };

    benchmark::State& bm_;
    Driver& driver_;
    std::size_t messages_;
    std::size_t paints_ = 0;
    std::vector<double> wallSeconds_;
    std::vector<double> cpuSeconds_;

    static double Median(std::vector<double> values) {
        if (values.empty())
            return 0.0;
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::nth_element(values.begin(), middle, values.end());
        return *middle;
    }

    static double ProcessCpuSeconds() {
        timespec now{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
    }
};

// Choosing from the name picker's list, alternating two elements so that every choice
// changes what the window shows.
template <class Driver>
void BenchChoose(benchmark::State& bm, Driver& driver, int entries) {
    EnsureEntries(driver, entries);
    ActionTimer timer(bm, driver);
    int i = 0;
    for (auto _ : bm) {
        const int element = (i++ % 2 == 0) ? 7 : 25;
        timer.Time([&] { driver.Apply(Gesture::Choose(ControlId::NamePicker, element)); });
    }
    timer.Finish(entries);
}

// SearchButton with a symbol typed into the symbol picker (typing is set-up, not timed).
template <class Driver>
void BenchSearch(benchmark::State& bm, Driver& driver, int entries) {
    EnsureEntries(driver, entries);
    ActionTimer timer(bm, driver);
    int i = 0;
    for (auto _ : bm) {
        driver.Apply(Gesture::Type(ControlId::SymbolPicker, (i++ % 2 == 0) ? "O" : "Fe"));
        driver.Settle();
        timer.Time([&] { driver.Apply(Gesture::Click(ControlId::SearchButton)); });
    }
    timer.Finish(entries);
}

// AddButton with an element chosen and a count typed; the entry is taken back by an untimed
// Undo.
template <class Driver>
void BenchAdd(benchmark::State& bm, Driver& driver, int entries, Fixture fixture) {
    EnsureEntries(driver, entries, fixture);
    const FixtureEntry added = fixture == &FixtureEntryAt ? FixtureEntry{7, 2} : fixture(entries);
    ActionTimer timer(bm, driver);
    for (auto _ : bm) {
        driver.Apply(Gesture::Choose(ControlId::NamePicker, added.element));
        driver.Apply(Gesture::TypeCount(FormatInt(added.count)));
        driver.Settle();
        timer.Time([&] { driver.Apply(Gesture::Click(ControlId::AddButton)); });
        driver.Apply(Gesture::Click(ControlId::UndoButton));
        driver.Settle();
    }
    timer.Finish(entries);
}

// UndoButton; the removed entry is added back, untimed, with its own element and count. With
// an empty molecule Undo does nothing, and that is what is measured.
template <class Driver>
void BenchUndo(benchmark::State& bm, Driver& driver, int entries, Fixture fixture) {
    EnsureEntries(driver, entries, fixture);
    ActionTimer timer(bm, driver);
    for (auto _ : bm) {
        timer.Time([&] { driver.Apply(Gesture::Click(ControlId::UndoButton)); });
        if (entries > 0) {
            // Undo leaves the removed element chosen; only its count needs typing again.
            driver.Apply(Gesture::TypeCount(FormatInt(fixture(entries - 1).count)));
            driver.Apply(Gesture::Click(ControlId::AddButton));
            driver.Settle();
        }
    }
    timer.Finish(entries);
}

// ResetButton; the molecule is rebuilt, untimed, by the same Adds that built it.
template <class Driver>
void BenchReset(benchmark::State& bm, Driver& driver, int entries,
                Fixture fixture = &FixtureEntryAt) {
    EnsureEntries(driver, entries, fixture);
    ActionTimer timer(bm, driver);
    for (auto _ : bm) {
        timer.Time([&] { driver.Apply(Gesture::Click(ControlId::ResetButton)); });
        EnsureEntries(driver, entries, fixture);
    }
    timer.Finish(entries);
}

// Registers every action at every molecule size, grouped by size so that the fixture is built
// once per size, then Add, Undo and Reset at 1000 entries of the longest texts (the Add that
// makes the 1000th entry, the Undo that takes it back, the Reset that clears all 1000), named
// ".../longest". `iterations(action, entries)` bounds the untimed restoring work.
template <class Driver, class Iterations>
void RegisterActionBenchmarks(const char* prefix, Driver& driver, Iterations iterations,
                              std::span<const int> entryCounts = kEntryCounts) {
    using Body = void (*)(benchmark::State&, Driver&, int);
    struct Action {
        const char* name;
        Body body;
    };
    static const Action actions[] = {
        {"Choose", &BenchChoose<Driver>},
        {"Search", &BenchSearch<Driver>},
        {"Add",
         [](benchmark::State& bm, Driver& d, int n) { BenchAdd(bm, d, n, &FixtureEntryAt); }},
        {"Undo",
         [](benchmark::State& bm, Driver& d, int n) { BenchUndo(bm, d, n, &FixtureEntryAt); }},
        {"Reset", [](benchmark::State& bm, Driver& d, int n) { BenchReset(bm, d, n); }},
    };
    const auto add = [&](const std::string& name, std::string_view action, int entries, auto body) {
        benchmark::RegisterBenchmark(name.c_str(), body)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond)
            ->Iterations(iterations(action, entries));
    };
    for (const int entries : entryCounts) {
        for (const Action& action : actions) {
            add(std::string(prefix) + "/" + action.name + "/" + std::to_string(entries),
                action.name, entries, [&driver, body = action.body, entries](benchmark::State& bm) {
                    body(bm, driver, entries);
                });
        }
    }
    add(std::string(prefix) + "/Add/longest", "Add", 999,
        [&driver](benchmark::State& bm) { BenchAdd(bm, driver, 999, &LongestEntryAt); });
    add(std::string(prefix) + "/Undo/longest", "Undo", 1000,
        [&driver](benchmark::State& bm) { BenchUndo(bm, driver, 1000, &LongestEntryAt); });
    add(std::string(prefix) + "/Reset/longest", "Reset", 1000,
        [&driver](benchmark::State& bm) { BenchReset(bm, driver, 1000, &LongestEntryAt); });
}

}  // namespace zerkan::bench
