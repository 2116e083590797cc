// Every action through the real Win32 window (under Wine on the build machine): the click that
// starts it, the handler and the paints that show its result. Against it, in the same run, the
// floor: a bare dialog of the same tree whose button sets three one-line edit boxes' short
// texts, and the paint that shows them.

#include <windows.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "bench/action_benchmarks.h"
#include "core/composition_state.h"
#include "core/controls.h"
#include "core/surface.h"
#include "tests/support/win32/window_input.h"
#include "win32/dialogtemplate.h"
#include "win32/zerkandlg.h"

namespace {

using zerkan::ControlId;
using zerkan::test::Gesture;

// Paint messages this thread takes from its queue. The hook is the only one of its kind in
// the process and passes nothing on: under Wine, CallNextHookEx is a request to the server for
// every message, which would be timed with the action.
std::size_t paints = 0;

LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        reinterpret_cast<const MSG*>(lParam)->message == WM_PAINT)
        ++paints;
    return 0;
}

class WindowDriver {
  public:
    WindowDriver() : dialog_(state_) {
        window_ = dialog_.Create();
        if (window_ == nullptr)
            throw std::runtime_error("the window was not created");
        SetForegroundWindow(window_);
        Settle();
    }

    // As a user: typing by keys, clicks by the mouse. A choice is timed from the combo box's
    // report of it, as in the Qt benchmark: opening the list and scrolling it would time the
    // list.
    void Apply(const Gesture& gesture) {
        if (gesture.kind != Gesture::Kind::Choose) {
            zerkan::test::Apply(dialog_, gesture);
            return;
        }
        HWND combo = dialog_.Item(gesture.control);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(gesture.index), 0);
        PostMessageW(window_, WM_COMMAND,
                     MAKEWPARAM(static_cast<int>(gesture.control), CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(combo));
        Settle();
    }
    // Everything the action posted, and the paints it left, as the modal loop runs them.
    void Settle() { zerkan::test::Pump(window_); }
    const zerkan::CompositionState& State() const { return state_; }
    std::size_t MessageCount() const { return catcher_.shown.size(); }
    std::size_t PaintCount() const { return paints; }

  private:
    zerkan::CompositionState state_;
    zerkan::win32::MainDialog dialog_;
    zerkan::test::BoxCatcher catcher_;
    HWND window_ = nullptr;
};

// The floor: three read-only one-line boxes of the system's edit control and a button, in the
// program's dialog font, from the same template writer as the program's window (Kind::Edit:
// the writer gives the program's read-only boxes its own class).
namespace floor_dialog {

using namespace zerkan::layout;
constexpr int kButton = 100;
constexpr std::array<Control, 4> kControls{{
    {101, "Box1", Kind::Edit, "", 62, 170, 178, 15, kEsLeft | kEsAutoHScroll | kEsReadOnly,
     kExStaticEdge, ""},
    {102, "Box2", Kind::Edit, "", 62, 186, 178, 14, kEsLeft | kEsAutoHScroll | kEsReadOnly,
     kExStaticEdge, ""},
    {103, "Box3", Kind::Edit, "", 62, 202, 178, 14, kEsLeft | kEsAutoHScroll | kEsReadOnly,
     kExStaticEdge, ""},
    {kButton, "Button", Kind::Button, "&Ekle", 100, 146, 42, 15, kBsPushButton | kTabStop, 0, ""},
}};
constexpr Dialog kDialog{
    "Taban", kMainClient, kCaption | kSysMenu | kVisible | kDsSetFont, 0, 0, "MS Shell Dlg", 8, 400,
    162,     kControls};

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    static int clicks = 0;
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && LOWORD(wParam) == kButton && HIWORD(wParam) == BN_CLICKED) {
        const bool odd = ++clicks % 2 != 0;
        SetDlgItemTextW(dialog, 101, odd ? L"18.01528" : L"44.0095");
        SetDlgItemTextW(dialog, 102, odd ? L"2 Hidrojen, 1 Oksijen " : L"1 Karbon, 2 Oksijen ");
        SetDlgItemTextW(dialog, 103, odd ? L"H2O" : L"CO2");
        return TRUE;
    }
    return FALSE;
}

}  // namespace floor_dialog

void BenchFloorClick(benchmark::State& bm) {
    const zerkan::win32::DialogTemplate layout(floor_dialog::kDialog);
    HWND dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), nullptr,
                                             floor_dialog::Proc, 0);
    if (dialog == nullptr) {
        bm.SkipWithError("the floor dialog was not created");
        return;
    }
    SetForegroundWindow(dialog);
    zerkan::test::Pump(dialog);
    HWND button = GetDlgItem(dialog, floor_dialog::kButton);
    std::vector<double> wall;
    const std::size_t paintsBefore = paints;
    for (auto _ : bm) {
        const auto start = std::chrono::steady_clock::now();
        zerkan::test::Click(dialog, button);
        zerkan::test::Pump(dialog);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        wall.push_back(seconds);
        bm.SetIterationTime(seconds);
    }
    std::sort(wall.begin(), wall.end());
    if (!wall.empty())
        bm.counters["wall_p50_us"] = wall[wall.size() / 2] * 1e6;
    bm.counters["paints"] = benchmark::Counter(static_cast<double>(paints - paintsBefore),
                                               benchmark::Counter::kAvgIterations);
    DestroyWindow(dialog);
    zerkan::test::Pump(nullptr);
}

benchmark::IterationCount Iterations(std::string_view action, int entries) {
    // Reset is restored by rebuilding the molecule with real Adds, each a few milliseconds
    // under Wine; Add and Undo by one Undo or Add.
    if (action == "Reset")
        return entries >= 999 ? 3 : entries >= 100 ? 10 : 100;
    if (action == "Add" || action == "Undo")
        return entries >= 999 ? 40 : entries >= 100 ? 60 : 100;
    return 100;
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    const HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountPaints, nullptr, GetCurrentThreadId());
    benchmark::RegisterBenchmark("floor/Click", BenchFloorClick)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond)
        ->Iterations(100);
    WindowDriver driver;
    // Also one entry: with none, Undo and Reset have nothing to change, and their figure is the
    // click alone.
    constexpr int kEntryCounts[] = {0, 1, 100, 999};
    zerkan::bench::RegisterActionBenchmarks("win32", driver, &Iterations, kEntryCounts);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    UnhookWindowsHookEx(hook);
    return 0;
}
