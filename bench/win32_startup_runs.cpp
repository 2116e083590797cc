// Starts two Windows programs alternately, many times, and records of each run the time from
// CreateProcess to the first moment its window waits for input (WaitForInputIdle), which is
// when a user could use it, and its peak working set. The runner then closes the window as
// the close box would and waits for the program to end. Runs are paired, the order inside a
// pair alternating, so that drift of the machine falls on both programs alike.
//
//   zerkan_bench_win32_startup <runs> <warm-up runs> <baseline.exe> <program.exe> [rounds]
//
// The runs are made `rounds` times over (default 1). Prints one line per round (the median of
// its per-pair ratios program / baseline), one line per program (median milliseconds to idle,
// median peak working set, over every run) and the median of all per-pair ratios with their
// quartiles and the spread of the rounds' medians: a ratio is settled when the rounds agree.

#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Run {
    double idleMs = 0.0;
    double peakWorkingSetKiB = 0.0;
};

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / frequency;
}

struct Search {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());  // only for error messages
}

Run RunOnce(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + path + L"\"";
    const double start = Now();
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        throw std::runtime_error("cannot start " + Narrow(path) + " (error " +
                                 std::to_string(GetLastError()) + ")");
    }
    CloseHandle(process.hThread);
    const DWORD idle = WaitForInputIdle(process.hProcess, 60000);
    const double idleAt = Now();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof(memory);
    // Read at idle: Wine keeps no figures of an ended process.
    const bool haveMemory = GetProcessMemoryInfo(process.hProcess, &memory, sizeof(memory));
    // The dialog manager shows a modal dialog once its queue first runs empty, which may be
    // just after the idle moment.
    Search search{process.dwProcessId, nullptr};
    for (int tries = 0; idle == 0 && search.window == nullptr && tries < 10000; ++tries) {
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.window == nullptr)
            Sleep(1);
    }
    if (search.window != nullptr)
        PostMessageW(search.window, WM_CLOSE, 0, 0);
    const DWORD ended = WaitForSingleObject(process.hProcess, 60000);
    if (ended != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    // A program that never showed its window, or had to be killed, would look fast.
    if (idle != 0 || search.window == nullptr || ended != WAIT_OBJECT_0)
        throw std::runtime_error(Narrow(path) + " showed no window that a close ends");
    return {idleAt - start,
            haveMemory ? static_cast<double>(memory.PeakWorkingSetSize) / 1024.0 : 0.0};
}

// The q-quantile, interpolated between neighbours.
double Quantile(std::vector<double> values, double q) {
    std::sort(values.begin(), values.end());
    const double at = q * static_cast<double>(values.size() - 1);
    const auto low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, values.size() - 1);
    return values[low] + (values[high] - values[low]) * (at - static_cast<double>(low));
}

double Median(std::vector<double> values) {
    return Quantile(std::move(values), 0.5);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5 && argc != 6) {
        std::fputs(
            "usage: zerkan_bench_win32_startup <runs> <warm-up> <baseline> <program> [rounds]\n",
            stderr);
        return 2;
    }
    const int runs = std::wcstol(argv[1], nullptr, 10);
    const int warmUp = std::wcstol(argv[2], nullptr, 10);
    const std::wstring paths[2] = {argv[3], argv[4]};
    const int rounds = argc == 6 ? std::wcstol(argv[5], nullptr, 10) : 1;
    if (runs < 1 || warmUp < 0 || rounds < 1) {
        std::fputs("runs and rounds must be at least 1\n", stderr);
        return 2;
    }
    try {
        for (int i = 0; i < warmUp; ++i) {
            RunOnce(paths[0]);
            RunOnce(paths[1]);
        }
        std::vector<double> idle[2], memory[2], ratios, roundMedians;
        for (int round = 0; round < rounds; ++round) {
            std::vector<double> roundRatios;
            for (int i = 0; i < runs; ++i) {
                Run pair[2];
                const int first = i % 2;
                pair[first] = RunOnce(paths[first]);
                pair[1 - first] = RunOnce(paths[1 - first]);
                for (int p = 0; p < 2; ++p) {
                    idle[p].push_back(pair[p].idleMs);
                    memory[p].push_back(pair[p].peakWorkingSetKiB);
                }
                roundRatios.push_back(pair[1].idleMs / pair[0].idleMs);
            }
            roundMedians.push_back(Median(roundRatios));
            ratios.insert(ratios.end(), roundRatios.begin(), roundRatios.end());
            std::printf("round\t%d\tmedian_pair_ratio=%.3f\n", round + 1, roundMedians.back());
            std::fflush(stdout);
        }
        const char* names[2] = {"baseline", "program"};
        for (int p = 0; p < 2; ++p) {
            std::printf(
                "%s\tmedian_idle_ms=%.1f\tmin_idle_ms=%.1f\tmedian_peak_working_set_kib=%.0f\n",
                names[p], Median(idle[p]), *std::min_element(idle[p].begin(), idle[p].end()),
                Median(memory[p]));
        }
        std::printf(
            "ratio\tmedian_pair_ratio=%.3f\tq1=%.3f\tq3=%.3f\trounds_min=%.3f\trounds_max=%.3f\t"
            "runs=%d\trounds=%d\n",
            Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75),
            *std::min_element(roundMedians.begin(), roundMedians.end()),
            *std::max_element(roundMedians.begin(), roundMedians.end()), runs, rounds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zerkan_bench_win32_startup: %s\n", e.what());
        return 1;
    }
    return 0;
}
