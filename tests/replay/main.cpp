// zerkan-replay: runs user-level events on a main window and prints, after each event, what
// the window shows and what the record holds. See the README for the format.

#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include <sys/stat.h>
#ifdef __EMSCRIPTEN__
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>
#endif

#include "driver.h"
#include "observation.h"
#include "tests/support/gesture_line.h"

namespace {

#ifdef __EMSCRIPTEN__
// Under node the C library's standard input is emscripten's own stream; node knows the real
// one.
EM_JS(int, StandardInputIsDirectory, (), {
    try {
        return require('fs').fstatSync(0).isDirectory() ? 1 : 0;
    } catch (e) {
        return 0;
    }
});
#else
bool StandardInputIsDirectory() {
    struct stat input {};
    return fstat(0, &input) == 0 && S_ISDIR(input.st_mode);
}
#endif

constexpr int kMalformed = 1;
constexpr int kUsage = 2;

void Usage(std::ostream& out) {
    out << "usage: zerkan-replay [--window] [FILE]\n"
           "Reads one JSON event per line from FILE (standard input when absent or \"-\")\n"
           "and prints one JSON line per event. --window drives the real window.\n";
}

int Replay(zerkan::replay::ScenarioDriver& driver, std::istream& in) {
    std::string line;
    long long number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (zerkan::test::IsBlankLine(line))
            continue;
        std::string error;
        const auto event = zerkan::test::ParseReplayLine(line, error);
        if (!event) {
            std::cout.flush();
            std::cerr << "zerkan-replay: line " << number << ": " << error << '\n';
            return kMalformed;
        }
        driver.Apply(*event);
        const auto messages = driver.TakeMessages();
        std::cout << zerkan::replay::FormatObservation(driver.Read(), messages, driver.State())
                  << '\n';
    }
    std::cout.flush();
    if (in.bad()) {
        std::cerr << "zerkan-replay: cannot read the scenario\n";
        return kMalformed;
    }
    if (!std::cout) {
        std::cerr << "zerkan-replay: cannot write the output\n";
        return kMalformed;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
#ifdef _WIN32
    // Lines end in "\n" on every system, so that outputs compare byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    bool window = false;
    std::string path = "-";
    bool havePath = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--window") {
            window = true;
        } else if (arg == "--help" || arg == "-h") {
            Usage(std::cout);
            return 0;
        } else if ((arg.size() > 1 && arg[0] == '-') || havePath) {
            std::cerr << "zerkan-replay: unexpected argument \"" << arg << "\"\n";
            Usage(std::cerr);
            return kUsage;
        } else {
            path = arg;
            havePath = true;
        }
    }

    // A directory opens and then reads as nothing, which would pass as an empty scenario.
    std::ifstream file;
    if (path == "-") {
        if (StandardInputIsDirectory()) {
            std::cerr << "zerkan-replay: standard input is a directory, not a scenario\n";
            return kUsage;
        }
    } else {
        std::error_code ignored;
        if (std::filesystem::is_directory(path, ignored)) {
            std::cerr << "zerkan-replay: \"" << path << "\" is a directory, not a scenario\n";
            return kUsage;
        }
        file.open(path, std::ios::binary);
        if (!file) {
            std::cerr << "zerkan-replay: cannot open \"" << path << "\"\n";
            return kUsage;
        }
    }
    std::istream& in = path == "-" ? std::cin : file;

    try {
        std::unique_ptr<zerkan::replay::ScenarioDriver> driver;
        if (window) {
#ifdef ZERKAN_REPLAY_HAS_WINDOW
            driver = zerkan::replay::MakeWindowDriver(argc, argv);
#else
            std::cerr << "zerkan-replay: --window is not available: this build has no window\n";
            return kUsage;
#endif
        } else {
            driver = zerkan::replay::MakeMemoryDriver();
        }
        return Replay(*driver, in);
    } catch (const std::exception& failure) {
        std::cout.flush();
        std::cerr << "zerkan-replay: " << failure.what() << '\n';
        return kMalformed;
    }
}
