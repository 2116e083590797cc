// zerkan-fuzz-corpus OUTDIR SCENARIO.jsonl...
//
// Writes the fuzzers' seed corpus from scenario files: OUTDIR/events/NAME, the scenario's
// gestures in the event fuzzer's encoding (lines that do not parse are left out), and
// OUTDIR/lines/NAME-K, each line K of the file as it is, for the line fuzzer. Adds one seed
// that passes the 1000-entry limit with bursts, undoes a little and adds again, and one that
// undoes past the empty molecule.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/event_codec.h"
#include "tests/support/gesture_line.h"

namespace {

namespace fs = std::filesystem;
using zerkan::test::Gesture;

void Write(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: zerkan-fuzz-corpus OUTDIR SCENARIO.jsonl...\n";
        return 2;
    }
    const fs::path out = argv[1];
    fs::create_directories(out / "events");
    fs::create_directories(out / "lines");
    int files = 0, lines = 0;
    for (int i = 2; i < argc; ++i) {
        const fs::path scenario = argv[i];
        std::ifstream in(scenario, std::ios::binary);
        if (!in) {
            std::cerr << "cannot read " << scenario << "\n";
            return 1;
        }
        const std::string name = scenario.stem().string();
        std::vector<Gesture> events;
        std::string line;
        for (int k = 1; std::getline(in, line); ++k) {
            Write(out / "lines" / (name + "-" + std::to_string(k)),
                  std::vector<std::uint8_t>(line.begin(), line.end()));
            ++lines;
            std::string error;
            if (const auto event = zerkan::test::ParseReplayLine(line, error)) {
                events.push_back(*event);
            }
        }
        if (!events.empty()) {
            const auto bytes = zerkan::fuzz::EncodeEvents(events);
            // The seed must mean to the fuzzer what the scenario means.
            if (zerkan::test::ToReplayLines(zerkan::fuzz::DecodeEvents(
                    bytes.data(), bytes.size())) != zerkan::test::ToReplayLines(events)) {
                std::cerr << scenario << ": the encoding does not decode to the same gestures\n";
                return 1;
            }
            Write(out / "events" / name, bytes);
            ++files;
        }
    }
    // Five bursts of 256 Adds with count 3 (noble gases refused on the way), past the limit,
    // then 32 Undos and an Add. Each Undo near the limit rebuilds 1000 entries, so more would
    // only slow every run of this seed.
    std::vector<std::uint8_t> limit;
    for (int burst = 0; burst < 5; ++burst)
        limit.insert(limit.end(), {254, 255, 0, 1, '3'});
    limit.insert(limit.end(), {255, 3, 5});
    Write(out / "events" / "past_the_limit", limit);
    // 40 Adds with an empty count field, then 64 Undos, past the empty molecule.
    Write(out / "events" / "undo_past_empty", {254, 39, 7, 0, 255, 7});
    std::cout << "seed corpus: " << files + 2 << " event inputs, " << lines << " lines in "
              << out.string() << "\n";
    return 0;
}
