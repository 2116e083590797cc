// Starts two programs alternately, many times, and records of each run the wall time from
// spawn to exit, the CPU time and the peak resident memory (the child's own rusage, from
// wait4). Runs are paired and the order inside a pair alternates, so that drift of the
// machine (other builds, cache state) falls on both programs alike. Writes JSON.
//
//   zerkan_bench_startup <runs> <warm-up runs> <baseline> <program> <out.json>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double seconds = 0.0;
    double cpuSeconds = 0.0;  // user + system of the child alone
    long maxRssKiB = 0;
};

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

Run RunOnce(const std::string& path) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // Qt may warn on stderr; keep the terminal clean without changing what the child does.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::string arg0 = path;
    char* argv[] = {arg0.data(), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot start " + path);

    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        throw std::runtime_error("wait4 failed");
    const auto end = std::chrono::steady_clock::now();
    // A program that crashed or failed would look fast; never let it into the numbers.
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error(path + " did not exit cleanly (status " + std::to_string(status) +
                                 ")");
    }
    return {std::chrono::duration<double>(end - start).count(),
            Seconds(usage.ru_utime) + Seconds(usage.ru_stime), usage.ru_maxrss};
}

template <class T>
double Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? static_cast<double>(values[n / 2])
                      : (static_cast<double>(values[n / 2 - 1]) + values[n / 2]) / 2.0;
}

nlohmann::json Summary(const std::string& path, const std::vector<Run>& runs) {
    std::vector<double> seconds, cpu;
    std::vector<long> rss;
    for (const Run& run : runs) {
        seconds.push_back(run.seconds);
        cpu.push_back(run.cpuSeconds);
        rss.push_back(run.maxRssKiB);
    }
    return {{"path", path},
            {"wall_s", seconds},
            {"maxrss_kib", rss},
            {"cpu_s", cpu},
            {"median_wall_s", Median(seconds)},
            {"median_cpu_s", Median(cpu)},
            {"median_maxrss_kib", Median(rss)},
            {"min_wall_s", *std::min_element(seconds.begin(), seconds.end())}};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::cerr << "usage: " << argv[0] << " <runs> <warm-up runs> <baseline> <program> <out>\n";
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const int warmUp = std::atoi(argv[2]);
    const std::string paths[2] = {argv[3], argv[4]};
    if (runs < 1 || warmUp < 0) {
        std::cerr << "runs must be at least 1\n";
        return 2;
    }
    try {
        for (int i = 0; i < warmUp; ++i) {
            RunOnce(paths[0]);
            RunOnce(paths[1]);
        }
        std::vector<Run> results[2];
        for (int i = 0; i < runs; ++i) {
            const int first = i % 2;
            results[first].push_back(RunOnce(paths[first]));
            results[1 - first].push_back(RunOnce(paths[1 - first]));
        }
        const char* platform = std::getenv("QT_QPA_PLATFORM");
        const nlohmann::json out = {{"platform", platform != nullptr ? platform : ""},
                                    {"runs", runs},
                                    {"warmup", warmUp},
                                    {"baseline", Summary(paths[0], results[0])},
                                    {"program", Summary(paths[1], results[1])}};
        std::ofstream(argv[5]) << out.dump(2) << '\n';
    } catch (const std::exception& e) {
        std::cerr << argv[0] << ": " << e.what() << '\n';
        return 1;
    }
    return 0;
}
