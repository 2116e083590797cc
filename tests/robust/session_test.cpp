// The randomised sessions: reproducible from their seed, covering what they claim to cover,
// and green on a sample that includes sessions past the 1000-entry limit. The full run is
// the zerkan-soak entries of CTest.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/composition_state.h"
#include "core/elements.h"
#include "tests/support/gesture_line.h"
#include "tests/support/session.h"

namespace zerkan::robust {
namespace {

std::vector<Gesture> Generate(std::uint64_t seed) {
    std::vector<Gesture> events;
    SessionGenerator generator(seed);
    while (auto event = generator.Next())
        events.push_back(std::move(*event));
    return events;
}

TEST(SessionGenerator, OneSeedGivesOneSession) {
    for (std::uint64_t seed : {0ULL, 1ULL, 977ULL, 123456789ULL}) {
        EXPECT_EQ(ToReplayLines(Generate(seed)), ToReplayLines(Generate(seed))) << seed;
        EXPECT_NE(ToReplayLines(Generate(seed)), ToReplayLines(Generate(seed + 1))) << seed;
    }
}

bool Contains(const Text& text, std::initializer_list<unsigned char> bytes) {
    return std::any_of(text.begin(), text.end(), [&bytes](char c) {
        return std::find(bytes.begin(), bytes.end(), static_cast<unsigned char>(c)) != bytes.end();
    });
}

TEST(SessionGenerator, CoversTheGesturesItPromises) {
    int builders = 0, longestBuild = 0;
    int turkishLetters = 0, upperTurkish = 0, highBytes = 0, controls = 0, longTexts = 0;
    int zeroCounts = 0, paddedCounts = 0, largestCounts = 0, hugeCounts = 0;
    int perGesture[4] = {};
    for (std::uint64_t seed = 0; seed < 3000; ++seed) {
        SessionGenerator generator(seed);
        int adds = 0;
        while (auto event = generator.Next()) {
            ++perGesture[static_cast<int>(event->kind)];
            const Text& t = event->text;
            if (event->kind == Gesture::Kind::Click && event->control == ControlId::AddButton)
                ++adds;
            if (Contains(t, {0xE7, 0xF0, 0xF6, 0xFE, 0xFC, 0xFD}))
                ++turkishLetters;
            if (Contains(t, {0xC7, 0xD0, 0xD6, 0xDE, 0xDC, 0xDD}))
                ++upperTurkish;
            if (Contains(t, {0x80, 0x9F, 0xA0, 0xFF}))
                ++highBytes;
            if (Contains(t, {0x01, 0x07, 0x1B, 0x1F}))
                ++controls;
            if (t.size() >= 1000)
                ++longTexts;
            if (event->kind == Gesture::Kind::TypeCount) {
                zeroCounts += t == "0";
                paddedCounts += t == "007";
                largestCounts += t == "999999999";
                hugeCounts += t.size() > 9;
            }
        }
        if (generator.Kind() == SessionKind::Builder) {
            ++builders;
            longestBuild = std::max(longestBuild, adds);
        }
    }
    for (int n : perGesture)
        EXPECT_GT(n, 1000);
    EXPECT_GT(builders, 10);
    EXPECT_GT(longestBuild, kMaxEntries + 50);
    for (int n : {turkishLetters, upperTurkish, highBytes, controls, longTexts, zeroCounts,
                  paddedCounts, largestCounts, hugeCounts}) {
        EXPECT_GT(n, 20);
    }
}

TEST(Sessions, HoldTheInvariantsPastTheEntryLimit) {
    SessionFigures figures;
    int builders = 0;
    for (std::uint64_t seed = 0; builders < 3; ++seed) {
        const bool builder = SessionGenerator(seed).Kind() == SessionKind::Builder;
        if (!builder && seed > 300)
            continue;
        builders += builder;
        const auto failure = RunSession(seed, figures);
        ASSERT_FALSE(failure) << "seed " << seed << ": " << failure->violations.front();
    }
    EXPECT_EQ(figures.failures, 0);
    EXPECT_GE(figures.reachedLimit, 3);
    EXPECT_GT(figures.limitRefusals, 0);
    EXPECT_GT(figures.nobleRefusals, 0);
    EXPECT_GT(figures.emptyRefusals, 0);
    EXPECT_GT(figures.largestCountAdds, 0);
}

// A failing session is saved as replay lines; they must read back as the same gestures.
TEST(Sessions, SaveAsLinesTheScenarioRunnerReadsBack) {
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        for (const Gesture& event : Generate(seed)) {
            const std::string line = test::ToReplayLine(event);
            std::string error;
            const auto parsed = test::ParseReplayLine(line, error);
            ASSERT_TRUE(parsed) << line << ": " << error;
            EXPECT_EQ(static_cast<int>(parsed->kind), static_cast<int>(event.kind)) << line;
            if (event.kind != Gesture::Kind::TypeCount) {
                EXPECT_EQ(parsed->control, event.control) << line;
            }
            if (event.kind == Gesture::Kind::Choose) {
                EXPECT_EQ(parsed->index, event.index) << line;
            }
            EXPECT_EQ(parsed->text, event.text) << line;
        }
    }
}

}  // namespace
}  // namespace zerkan::robust
