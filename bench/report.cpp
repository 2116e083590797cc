// Turns the measurements of one bench run into the one table it prints: start-up against the
// floor, every action's median, the executable's size and what it links. Each row says its
// target and whether this run met it.
//
//   zerkan_bench_report --startup <label> <file> ... --actions <file> ...
//                       --program <path> --needed <library> ...

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace {

using nlohmann::json;

struct Row {
    std::string measure, baseline, program, relation, target, met;
};

std::string Fixed(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    return buffer;
}

std::string Verdict(bool met) {
    return met ? "yes" : "**no**";
}

json Load(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << in.rdbuf();
    // Google Benchmark writes NaN for the spread of a counter that is always 0, which is not
    // JSON; such values carry nothing for this table.
    static const std::regex notANumber(R"(:\s*-?(nan|NaN|inf|Inf)\b)");
    return json::parse(std::regex_replace(text.str(), notANumber, ": null"));
}

// The value below which `share` of `values` lie, interpolated between neighbours.
double Quantile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    const double at = share * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(at);
    const std::size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (values[above] - values[below]) * (at - static_cast<double>(below));
}

// Median and the middle half of the runs: "19.1 ms (18.8–19.6)".
std::string Spread(const std::vector<double>& values, double scale, int decimals,
                   const std::string& unit) {
    return Fixed(Quantile(values, 0.5) * scale, decimals) + unit + " (" +
           Fixed(Quantile(values, 0.25) * scale, decimals) + "–" +
           Fixed(Quantile(values, 0.75) * scale, decimals) + ")";
}

void StartupRows(const std::string& label, const json& runs, std::vector<Row>& rows) {
    const auto baseRuns = runs["baseline"]["wall_s"].get<std::vector<double>>();
    const auto progRuns = runs["program"]["wall_s"].get<std::vector<double>>();
    const double ratio = Quantile(progRuns, 0.5) / Quantile(baseRuns, 0.5);
    const std::string count = std::to_string(runs["runs"].get<int>());
    rows.push_back({"start-up wall time, " + label + " (median of " + count +
                        " pairs, middle half of the runs)",
                    Spread(baseRuns, 1000.0, 1, " ms"), Spread(progRuns, 1000.0, 1, " ms"),
                    Fixed(ratio, 3) + " ×", "<= 1.10 ×", Verdict(ratio <= 1.10)});
    // Each run against the floor's run of the same pair: what drift of the machine leaves of
    // the difference.
    std::vector<double> pairRatios;
    for (std::size_t i = 0; i < std::min(baseRuns.size(), progRuns.size()); ++i)
        pairRatios.push_back(progRuns[i] / baseRuns[i]);
    rows.push_back({"start-up wall time, " + label + ", ratio within each pair", "", "",
                    Spread(pairRatios, 1.0, 3, " ×"), "–", ""});

    const double baseCpu = runs["baseline"]["median_cpu_s"].get<double>() * 1000.0;
    const double progCpu = runs["program"]["median_cpu_s"].get<double>() * 1000.0;
    rows.push_back({"start-up CPU time (user+sys), " + label + " (median of " + count + ")",
                    Fixed(baseCpu, 1) + " ms", Fixed(progCpu, 1) + " ms",
                    Fixed(progCpu / baseCpu, 3) + " ×", "–", ""});

    const double baseRss = runs["baseline"]["median_maxrss_kib"].get<double>() / 1024.0;
    const double progRss = runs["program"]["median_maxrss_kib"].get<double>() / 1024.0;
    const double extra = progRss - baseRss;
    rows.push_back(
        {"peak RSS, " + label + " (median of " + count + ")", Fixed(baseRss, 2) + " MiB",
         Fixed(progRss, 2) + " MiB",
         (extra >= 0 ? "+" : "") + Fixed(extra, 2) + " MiB (" + Fixed(progRss / baseRss, 3) + " ×)",
         "<= +3 MiB", Verdict(extra <= 3.0)});
}

// The molecule of a benchmark: its entry count, or "longest" for the Add and Undo at 1000
// entries of the longest texts.
int EntriesOf(const std::string& size) {
    return size == "longest" ? 1000 : std::stoi(size);
}

// Target in microseconds for a surface and molecule, if the molecule has one.
std::optional<double> ActionTarget(const std::string& surface, const std::string& size) {
    if (surface == "window" && size == "0")
        return 300.0;
    if (surface == "window" && size == "999")
        return 1000.0;
    if (surface == "window" && size == "longest")
        return 2000.0;
    if (surface == "memory" && size == "999")
        return 50.0;
    return std::nullopt;
}

std::string Micro(double us) {
    return us >= 1000.0 ? Fixed(us / 1000.0, 3) + " ms" : Fixed(us, 2) + " µs";
}

std::string TargetText(double us) {
    std::ostringstream out;
    if (us >= 100.0) {
        out << us / 1000.0 << " ms";
    } else {
        out << us << " µs";
    }
    return out.str();
}

double ToMicro(double value, const std::string& unit) {
    if (unit == "ns")
        return value / 1000.0;
    if (unit == "ms")
        return value * 1000.0;
    if (unit == "s")
        return value * 1e6;
    return value;
}

void ActionRows(const json& results, std::vector<Row>& rows) {
    struct Found {
        std::optional<double> median;
        std::optional<double> cpu;
        std::optional<double> paints;
        std::string error;
        int repetitions = 0;
    };
    std::vector<std::string> order;
    std::map<std::string, Found> found;
    for (const json& b : results["benchmarks"]) {
        // run_name: surface/Action/entries[/iterations:n/manual_time]
        const std::string run = b.value("run_name", b.value("name", ""));
        std::vector<std::string> parts;
        std::stringstream split(run);
        for (std::string part; std::getline(split, part, '/');)
            parts.push_back(part);
        if (parts.size() < 3)
            continue;
        const std::string key = parts[0] + "/" + parts[1] + "/" + parts[2];
        if (found.find(key) == found.end())
            order.push_back(key);
        Found& f = found[key];
        f.repetitions = std::max(f.repetitions, b.value("repetitions", 1));
        if (b.value("error_occurred", false))
            f.error = b.value("error_message", "error");
        if (b.value("aggregate_name", "") == "median") {
            // The median over the repetitions of each repetition's median action; without that
            // counter, of each repetition's mean.
            if (b.contains("wall_p50_us") && b["wall_p50_us"].is_number()) {
                f.median = b["wall_p50_us"].get<double>();
            } else {
                f.median = ToMicro(b["real_time"].get<double>(), b.value("time_unit", "ns"));
            }
            if (b.contains("cpu_p50_us") && b["cpu_p50_us"].is_number())
                f.cpu = b["cpu_p50_us"].get<double>();
            if (b.contains("paints") && b["paints"].is_number())
                f.paints = b["paints"].get<double>();
        }
    }
    // Random interleaving runs the benchmarks in any order; the table keeps one.
    const auto rank = [](const std::string& key) {
        static const std::vector<std::string> actions = {"Choose", "Search", "Add", "Undo",
                                                         "Reset"};
        const std::string surface = key.substr(0, key.find('/'));
        const std::string action =
            key.substr(surface.size() + 1, key.rfind('/') - surface.size() - 1);
        const auto position = std::find(actions.begin(), actions.end(), action);
        return std::make_tuple(surface == "memory" ? 0 : 1,
                               EntriesOf(key.substr(key.rfind('/') + 1)),
                               position - actions.begin());
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](const std::string& a, const std::string& b) { return rank(a) < rank(b); });
    for (const std::string& key : order) {
        const Found& f = found[key];
        const std::string surface = key.substr(0, key.find('/'));
        const std::string action =
            key.substr(surface.size() + 1, key.rfind('/') - surface.size() - 1);
        const std::string size = key.substr(key.rfind('/') + 1);
        const auto target = ActionTarget(surface, size);
        Row row;
        row.measure = (surface == "window" ? "window (offscreen) " : "MemorySurface ") + action +
                      ", " +
                      (size == "longest" ? std::string("1000 entries of the longest texts")
                                         : size + " entries") +
                      " (wall, median of " + std::to_string(f.repetitions) + ")";
        if (!f.error.empty() || !f.median) {
            row.program = "failed: " + (f.error.empty() ? std::string("no median") : f.error);
            row.met = target ? "**no**" : "";
        } else {
            row.program = Micro(*f.median);
            if (f.cpu)
                row.relation = "CPU " + Micro(*f.cpu);
            if (f.paints)
                row.relation += ", " + Fixed(*f.paints, 0) + " widgets painted";
            // The targets are wall times; the CPU time only tells a busy machine from a slow
            // action.
            if (target)
                row.met = Verdict(*f.median <= *target);
        }
        row.target = target ? "<= " + TargetText(*target) : "–";
        rows.push_back(row);
    }
}

bool AllowedLibrary(const std::string& name) {
    static const char* const allowed[] = {"libQt6Core.so", "libQt6Gui.so",      "libQt6Widgets.so",
                                          "libstdc++.so",  "libgcc_s.so",       "libc.so",
                                          "libm.so",       "ld-linux-x86-64.so"};
    return std::any_of(std::begin(allowed), std::end(allowed),
                       [&](const char* prefix) { return name.rfind(prefix, 0) == 0; });
}

void ProgramRows(const std::string& path, const std::vector<std::string>& needed,
                 std::vector<Row>& rows) {
    const auto bytes = std::filesystem::file_size(path);
    rows.push_back({"release executable size", "", std::to_string(bytes) + " bytes",
                    Fixed(static_cast<double>(bytes) / 1024.0, 1) + " KiB", "listed", ""});
    for (const std::string& lib : needed) {
        const bool allowed = AllowedLibrary(lib);
        rows.push_back({"links " + lib, "", allowed ? "Qt or C++ runtime" : "other", "",
                        "only Qt6 Core/Gui/Widgets, C++ runtime", Verdict(allowed)});
    }
}

void Print(const std::vector<Row>& rows) {
    const Row header{"measure", "baseline", "program", "program vs baseline", "target", "met"};
    std::vector<std::size_t> width(6, 3);
    auto cells = [](const Row& r) {
        return std::vector<std::string>{r.measure,  r.baseline, r.program,
                                        r.relation, r.target,   r.met};
    };
    // Widths in characters, not bytes, so that µ and × do not skew the columns.
    auto length = [](const std::string& s) {
        return static_cast<std::size_t>(std::count_if(s.begin(), s.end(), [](char c) {
            return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        }));
    };
    for (const Row& r : rows) {
        const auto c = cells(r);
        for (std::size_t i = 0; i < 6; ++i)
            width[i] = std::max(width[i], length(c[i]));
    }
    for (std::size_t i = 0; i < 6; ++i)
        width[i] = std::max(width[i], length(cells(header)[i]));
    auto line = [&](const std::vector<std::string>& c) {
        std::cout << '|';
        for (std::size_t i = 0; i < 6; ++i) {
            std::cout << ' ' << c[i] << std::string(width[i] - length(c[i]), ' ') << " |";
        }
        std::cout << '\n';
    };
    line(cells(header));
    std::cout << '|';
    for (std::size_t i = 0; i < 6; ++i)
        std::cout << std::string(width[i] + 2, '-') << '|';
    std::cout << '\n';
    for (const Row& r : rows)
        line(cells(r));
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<Row> rows;
    std::vector<std::string> needed;
    std::string program;
    try {
        std::vector<Row> startup, actions;
        for (int i = 1; i < argc; ++i) {
            const std::string arg = argv[i];
            if (arg == "--startup" && i + 2 < argc) {
                StartupRows(argv[i + 1], Load(argv[i + 2]), startup);
                i += 2;
            } else if (arg == "--actions" && i + 1 < argc) {
                ActionRows(Load(argv[++i]), actions);
            } else if (arg == "--program" && i + 1 < argc) {
                program = argv[++i];
            } else if (arg == "--needed" && i + 1 < argc) {
                needed.emplace_back(argv[++i]);
            } else {
                std::cerr << "unknown argument: " << arg << '\n';
                return 2;
            }
        }
        rows = startup;
        rows.insert(rows.end(), actions.begin(), actions.end());
        if (!program.empty())
            ProgramRows(program, needed, rows);
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << '\n';
        return 1;
    }
    Print(rows);
    return 0;
}
