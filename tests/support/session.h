#pragma once

// Seeded, reproducible user sessions on the in-memory window, checked after every event.
// One seed always gives the same events (the generator uses its own random source, so the
// sequence does not depend on the standard library).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/gesture.h"

namespace zerkan::robust {

using test::Gesture;

// splitmix64: small, fast, and the same everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next();
    // 0..bound-1; bound must be positive.
    int Below(int bound);
    // true with the given chance in percent.
    bool Percent(int chance) { return Below(100) < chance; }

  private:
    std::uint64_t state_;
};

enum class SessionKind {
    Casual,   // a student composing, searching, undoing, with the odd slip
    Hammer,   // any gesture with any text, in any order
    Builder,  // composes past the 1000-entry limit, then undoes or resets
};

class SessionGenerator {
  public:
    explicit SessionGenerator(std::uint64_t seed);

    SessionKind Kind() const { return kind_; }
    // The next gesture, or nothing when the session is over.
    std::optional<Gesture> Next();

  private:
    void Plan();
    void PlanCasual();
    void PlanBuilder();
    void PlanHammer();
    void Compose(bool mayTypeCount);
    void PickElement(int index);

    Random random_;
    SessionKind kind_;
    int budget_ = 0;    // events still to plan
    int composed_ = 0;  // Builder: Adds planned so far
    int target_ = 0;    // Builder: Adds to plan before the ending
    bool ended_ = false;
    std::vector<Gesture> queue_;  // planned, not yet handed out (front = back of vector)
};

// Text a user could type or paste.
Text TypedName(Random& random, int index);
Text TypedSymbol(Random& random, int index);
Text TypedNumber(Random& random);
Text TypedCount(Random& random);
Text HostileText(Random& random);

struct SessionFigures {
    long long sessions = 0;
    long long events = 0;
    long long failures = 0;
    long long reachedLimit = 0;   // sessions that held 1000 entries
    long long limitRefusals = 0;  // Adds refused with 1000 entries held
    long long nobleRefusals = 0;
    long long emptyRefusals = 0;     // Adds with nothing designated
    long long searches = 0;          // search messages and finds
    long long largestCountAdds = 0;  // entries stored with count 999999999
    long long undosAtLimit = 0;
    void Merge(const SessionFigures& other);
};

struct SessionFailure {
    std::uint64_t seed = 0;
    long long eventNumber = 0;  // 1-based; 0: the initialised window itself
    std::vector<std::string> violations;
    std::string replay;  // the session's events up to the failing one, as replay lines
};

// Runs one generated session, checking the invariants after initialisation and after every
// event; stops at the first event that breaks one.
std::optional<SessionFailure> RunSession(std::uint64_t seed, SessionFigures& figures);

// Runs a given sequence the same way (the fuzzer's entry).
std::optional<SessionFailure> RunEvents(const std::vector<Gesture>& events,
                                        SessionFigures& figures);

}  // namespace zerkan::robust
