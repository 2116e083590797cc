// zerkan-soak: runs seeded random user sessions on the in-memory window and checks the
// invariants after every event.
//
//   zerkan-soak [--sessions N] [--seed FIRST] [--dump DIR]
//
// Session i uses seed FIRST + i, so any failure is reproduced by its seed alone
// (`--sessions 1 --seed S`). With --dump each failing session is written as DIR/seed-S.jsonl,
// which zerkan-replay runs as it is.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "tests/support/session.h"

namespace {

int Usage() {
    std::cerr << "usage: zerkan-soak [--sessions N] [--seed FIRST] [--dump DIR]\n";
    return 2;
}

bool ParseNumber(const char* text, std::uint64_t& out) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-')
        return false;
    out = value;
    return true;
}

void Report(const zerkan::robust::SessionFailure& failure, const std::string& dumpDir) {
    std::cout << "FAILED: session seed " << failure.seed << ", event " << failure.eventNumber
              << ":\n";
    for (const std::string& line : failure.violations)
        std::cout << "  " << line << "\n";
    if (dumpDir.empty())
        return;
    const auto path =
        std::filesystem::path(dumpDir) / ("seed-" + std::to_string(failure.seed) + ".jsonl");
    std::ofstream file(path, std::ios::binary);
    file << failure.replay;
    file.close();
    if (file)
        std::cout << "  events written to " << path.string() << "\n";
    else
        std::cout << "  the events could not be written to " << path.string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::uint64_t sessions = 1000;
    std::uint64_t firstSeed = 1;
    std::string dumpDir;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc)
            return Usage();
        if (arg == "--sessions") {
            if (!ParseNumber(argv[++i], sessions))
                return Usage();
        } else if (arg == "--seed") {
            if (!ParseNumber(argv[++i], firstSeed))
                return Usage();
        } else if (arg == "--dump") {
            dumpDir = argv[++i];
            std::error_code error;
            std::filesystem::create_directories(dumpDir, error);
            if (error) {
                std::cerr << "zerkan-soak: cannot create \"" << dumpDir << "\": " << error.message()
                          << "\n";
                return 2;
            }
        } else {
            return Usage();
        }
    }

    const auto start = std::chrono::steady_clock::now();
    zerkan::robust::SessionFigures figures;
    constexpr long long kShownFailures = 5;
    for (std::uint64_t i = 0; i < sessions; ++i) {
        if (auto failure = zerkan::robust::RunSession(firstSeed + i, figures)) {
            if (figures.failures <= kShownFailures)
                Report(*failure, dumpDir);
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    std::printf("seeds %llu..%llu\n", static_cast<unsigned long long>(firstSeed),
                static_cast<unsigned long long>(firstSeed + sessions - 1));
    std::printf("sessions %lld, events %lld, failures %lld\n", figures.sessions, figures.events,
                figures.failures);
    std::printf("sessions that held 1000 entries %lld, Undo with 1000 held %lld\n",
                figures.reachedLimit, figures.undosAtLimit);
    std::printf("Adds refused: 1000 held %lld, noble gas %lld, nothing chosen %lld\n",
                figures.limitRefusals, figures.nobleRefusals, figures.emptyRefusals);
    std::printf("entries with count 999999999 %lld, searches %lld\n", figures.largestCountAdds,
                figures.searches);
    std::printf("time %.1f s\n", seconds);
    return figures.failures == 0 ? 0 : 1;
}
