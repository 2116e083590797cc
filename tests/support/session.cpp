#include "tests/support/session.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/composition_state.h"
#include "core/elements.h"
#include "core/texts.h"
#include "tests/support/gesture_line.h"
#include "tests/support/invariants.h"

namespace zerkan::robust {

// ---- random source and texts ---------------------------------------------------------------

std::uint64_t Random::Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::Below(int bound) {
    return static_cast<int>(Next() % static_cast<std::uint64_t>(bound));
}

namespace {

template <typename T, std::size_t N>
const T& PickFrom(Random& random, const T (&items)[N]) {
    return items[random.Below(static_cast<int>(N))];
}

// Letters of the code page with their other case; the four i's of Turkish are one letter
// that a user may type in any of its forms.
constexpr std::array<std::pair<unsigned char, unsigned char>, 5> kTurkishPairs{{
    {0xC7, 0xE7},  // Ç ç
    {0xD0, 0xF0},  // Ğ ğ
    {0xD6, 0xF6},  // Ö ö
    {0xDE, 0xFE},  // Ş ş
    {0xDC, 0xFC},  // Ü ü
}};
constexpr unsigned char kIForms[] = {'I', 'i', 0xDD /* İ */, 0xFD /* ı */};

enum class CaseStyle { AsListed, Lower, Upper, Mixed };

char Recase(Random& random, char c, CaseStyle style) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::find(std::begin(kIForms), std::end(kIForms), byte) != std::end(kIForms)) {
        switch (style) {
            case CaseStyle::AsListed:
                return c;
            case CaseStyle::Lower:
                return static_cast<char>(random.Percent(50) ? 'i' : 0xFD);
            case CaseStyle::Upper:
                return static_cast<char>(random.Percent(50) ? 'I' : 0xDD);
            case CaseStyle::Mixed:
                return static_cast<char>(PickFrom(random, kIForms));
        }
    }
    bool upper = style == CaseStyle::Upper;
    if (style == CaseStyle::AsListed)
        return c;
    if (style == CaseStyle::Mixed)
        upper = random.Percent(50);
    if (c >= 'a' && c <= 'z')
        return upper ? static_cast<char>(c - 'a' + 'A') : c;
    if (c >= 'A' && c <= 'Z')
        return upper ? c : static_cast<char>(c - 'A' + 'a');
    for (const auto& [big, small] : kTurkishPairs) {
        if (byte == big || byte == small)
            return static_cast<char>(upper ? big : small);
    }
    return c;
}

Text Recased(Random& random, std::string_view text) {
    const CaseStyle style =
        PickFrom(random, {CaseStyle::AsListed, CaseStyle::AsListed, CaseStyle::Lower,
                          CaseStyle::Upper, CaseStyle::Mixed});
    Text out;
    for (char c : text)
        out += Recase(random, c, style);
    return out;
}

}  // namespace

Text TypedName(Random& random, int index) {
    const std::string_view name = ElementTable::Name(index);
    const std::size_t length =
        random.Percent(50)
            ? name.size()
            : 1 + static_cast<std::size_t>(random.Below(static_cast<int>(name.size())));
    Text text = Recased(random, name.substr(0, length));
    if (random.Percent(3))
        text += ' ';
    return text;
}

Text TypedSymbol(Random& random, int index) {
    static const std::string_view kTricky[] = {"s", "S", "i", "I", "b", "B", "s ", "Q", "x"};
    if (random.Percent(10))
        return Text(PickFrom(random, kTricky));
    return Recased(random, ElementTable::Symbol(index));
}

Text TypedNumber(Random& random) {
    static const std::string_view kOdd[] = {"0",  "08", "113", " 8",   "-1", "1000",
                                            "8 ", "٣",  "1e2", "0x10", "+5", "00112"};
    if (random.Percent(85))
        return FormatInt(1 + random.Below(kElementCount));
    return FromUtf8(PickFrom(random, kOdd));
}

Text TypedCount(Random& random) {
    static const std::string_view kFixed[] = {"",
                                              "0",
                                              "00",
                                              "007",
                                              "1",
                                              "2",
                                              "999999999",
                                              "1000000000",
                                              "2147483647",
                                              "2147483648",
                                              "4294967296",
                                              "-5",
                                              " 12",
                                              "12abc",
                                              "½",
                                              "１２",
                                              "99999999999999999999",
                                              "-2147483648",
                                              "3 4",
                                              "0000000001",
                                              "٤٢"};
    const int roll = random.Below(100);
    if (roll < 40)
        return FormatInt(1 + random.Below(9));
    if (roll < 55)
        return FormatInt(random.Below(1000));
    if (roll < 90)
        return FromUtf8(PickFrom(random, kFixed));
    return HostileText(random);
}

Text HostileText(Random& random) {
    const int length = random.Percent(3) ? 1000 + random.Below(50) : random.Below(17);
    const int style = random.Below(5);
    Text text;
    for (int i = 0; i < length; ++i) {
        unsigned char byte = 0;
        switch (style) {
            case 0:  // anything but NUL
                byte = static_cast<unsigned char>(1 + random.Below(255));
                break;
            case 1:  // the upper half of the code page
                byte = static_cast<unsigned char>(0x80 + random.Below(128));
                break;
            case 2:  // control characters, with the odd NUL
                byte = static_cast<unsigned char>(random.Below(32));
                break;
            case 3:  // blanks
                byte = random.Percent(80) ? ' ' : '\t';
                break;
            default:  // digits and signs
                byte = static_cast<unsigned char>(PickFrom(random, "0123456789-+ .,e"));
                break;
        }
        text += static_cast<char>(byte);
    }
    return text;
}

// ---- the generator -------------------------------------------------------------------------

SessionGenerator::SessionGenerator(std::uint64_t seed) : random_(seed) {
    const int roll = random_.Below(1000);
    if (roll < 10) {
        kind_ = SessionKind::Builder;
        target_ = kMaxEntries + 80 + random_.Below(40);  // some Adds are refused on the way
        budget_ = 1'000'000;                             // ends by its own plan
    } else if (roll < 90) {
        kind_ = SessionKind::Hammer;
        budget_ = 20 + random_.Below(180);
    } else {
        kind_ = SessionKind::Casual;
        budget_ = 5 + random_.Below(70);
    }
}

std::optional<Gesture> SessionGenerator::Next() {
    while (queue_.empty()) {
        if (ended_ || budget_ <= 0)
            return std::nullopt;
        Plan();
    }
    Gesture event = std::move(queue_.back());
    queue_.pop_back();
    --budget_;
    return event;
}

void SessionGenerator::Plan() {
    // The Plan* functions append in order; Next hands out from the back.
    switch (kind_) {
        case SessionKind::Casual:
            PlanCasual();
            break;
        case SessionKind::Builder:
            PlanBuilder();
            break;
        case SessionKind::Hammer:
            PlanHammer();
            break;
    }
    std::reverse(queue_.begin(), queue_.end());
}

void SessionGenerator::PickElement(int index) {
    const ControlId picker = PickFrom(random_, kPickers);
    if (random_.Percent(kind_ == SessionKind::Builder ? 92 : 65)) {
        queue_.push_back(Gesture::Choose(picker, index));
        return;
    }
    Text text;
    switch (picker) {
        case ControlId::NumberPicker:
            text = random_.Percent(90) ? FormatInt(index + 1) : TypedNumber(random_);
            break;
        case ControlId::NamePicker:
            text = TypedName(random_, index);
            break;
        default:
            text = TypedSymbol(random_, index);
            break;
    }
    queue_.push_back(Gesture::Type(picker, std::move(text)));
}

void SessionGenerator::Compose(bool mayTypeCount) {
    int index = random_.Below(kElementCount);
    if (kind_ == SessionKind::Builder && random_.Percent(97)) {
        while (ElementTable::IsNobleGas(index))
            index = random_.Below(kElementCount);
    }
    // Some type the count first, most after choosing.
    const bool countFirst = random_.Percent(20);
    const bool typeCount = mayTypeCount && random_.Percent(70);
    if (typeCount && countFirst)
        queue_.push_back(Gesture::TypeCount(TypedCount(random_)));
    PickElement(index);
    if (typeCount && !countFirst) {
        queue_.push_back(Gesture::TypeCount(TypedCount(random_)));
    }
    if (random_.Percent(3))
        queue_.push_back(Gesture::Click(ControlId::SearchButton));
    queue_.push_back(Gesture::Click(ControlId::AddButton));
    if (random_.Percent(2))
        queue_.push_back(Gesture::Click(ControlId::AddButton));
}

void SessionGenerator::PlanCasual() {
    const int roll = random_.Below(100);
    if (roll < 35) {
        Compose(true);
    } else if (roll < 50) {
        for (int n = 1 + random_.Below(3); n > 0; --n)
            PickElement(random_.Below(kElementCount));
    } else if (roll < 62) {
        const ControlId picker = PickFrom(random_, kPickers);
        const int index = random_.Below(kElementCount);
        Text text = picker == ControlId::NumberPicker ? TypedNumber(random_)
                    : picker == ControlId::NamePicker ? TypedName(random_, index)
                                                      : TypedSymbol(random_, index);
        queue_.push_back(Gesture::Type(picker, std::move(text)));
        if (random_.Percent(10))
            queue_.push_back(
                Gesture::Type(PickFrom(random_, kPickers), TypedSymbol(random_, index)));
        queue_.push_back(Gesture::Click(ControlId::SearchButton));
        if (random_.Percent(20))
            queue_.push_back(Gesture::Click(ControlId::SearchButton));
    } else if (roll < 70) {
        for (int n = 1 + random_.Below(5); n > 0; --n) {
            queue_.push_back(Gesture::Click(ControlId::UndoButton));
        }
    } else if (roll < 73) {
        queue_.push_back(Gesture::Click(ControlId::ResetButton));
    } else if (roll < 83) {
        queue_.push_back(Gesture::TypeCount(TypedCount(random_)));
    } else if (roll < 93) {
        PlanHammer();
    } else {
        queue_.push_back(Gesture::Click(PickFrom(random_, test::kButtons)));
    }
}

void SessionGenerator::PlanHammer() {
    switch (random_.Below(4)) {
        case 0:
            queue_.push_back(
                Gesture::Choose(PickFrom(random_, kPickers), random_.Below(kElementCount)));
            break;
        case 1:
            queue_.push_back(Gesture::Type(PickFrom(random_, kPickers),
                                           random_.Percent(50)
                                               ? HostileText(random_)
                                               : TypedName(random_, random_.Below(kElementCount))));
            break;
        case 2:
            queue_.push_back(Gesture::TypeCount(random_.Percent(50) ? HostileText(random_)
                                                                    : TypedCount(random_)));
            break;
        default:
            queue_.push_back(Gesture::Click(PickFrom(random_, test::kButtons)));
            break;
    }
}

void SessionGenerator::PlanBuilder() {
    if (composed_ < target_) {
        ++composed_;
        if (random_.Percent(3)) {
            // A slip on the way; never Reset, which would start the molecule over.
            switch (random_.Below(4)) {
                case 0:
                    queue_.push_back(Gesture::Click(ControlId::UndoButton));
                    break;
                case 1:
                    queue_.push_back(Gesture::Click(ControlId::SearchButton));
                    break;
                case 2:
                    queue_.push_back(
                        Gesture::Type(PickFrom(random_, kPickers), HostileText(random_)));
                    break;
                default:
                    queue_.push_back(Gesture::TypeCount(HostileText(random_)));
                    break;
            }
        }
        Compose(true);
        return;
    }
    ended_ = true;  // whatever is planned now is the last of the session
    const int roll = random_.Below(100);
    if (roll < 15) {
        // Undo far past the empty molecule.
        for (int n = 0; n < 2000; ++n)
            queue_.push_back(Gesture::Click(ControlId::UndoButton));
    } else if (roll < 55) {
        for (int n = 1 + random_.Below(30); n > 0; --n) {
            queue_.push_back(Gesture::Click(ControlId::UndoButton));
            if (random_.Percent(30))
                Compose(true);
        }
    } else if (roll < 75) {
        queue_.push_back(Gesture::Click(ControlId::ResetButton));
        for (int n = random_.Below(10); n > 0; --n)
            Compose(true);
    } else {
        for (int n = 20 + random_.Below(40); n > 0; --n)
            PlanHammer();
    }
}

// ---- running and checking ------------------------------------------------------------------

void SessionFigures::Merge(const SessionFigures& other) {
    sessions += other.sessions;
    events += other.events;
    failures += other.failures;
    reachedLimit += other.reachedLimit;
    limitRefusals += other.limitRefusals;
    nobleRefusals += other.nobleRefusals;
    emptyRefusals += other.emptyRefusals;
    searches += other.searches;
    largestCountAdds += other.largestCountAdds;
    undosAtLimit += other.undosAtLimit;
}

namespace {

struct Entry {
    int element;
    int count;
    bool operator==(const Entry&) const = default;
};

using texts::kMoleculeFull;
using texts::kNotFound;
using texts::kNothingChosen;
using texts::kNothingToSearch;

// Runs the events of one session on a fresh window and checks, besides the invariants, how
// each gesture may move the molecule: the entries held are tracked from the gestures alone.
class SessionChecker {
  public:
    explicit SessionChecker(SessionFigures& figures) : surface_(state_), figures_(figures) {
        surface_.Initialise();
    }

    std::vector<std::string> CheckStart() { return CheckInvariants(state_, surface_, history_); }

    std::vector<std::string> Step(const Gesture& event) {
        const int before = static_cast<int>(held_.size());
        const int selected = state_.selectedIndex;
        const int nameSelection = surface_.GetSelection(ControlId::NamePicker);
        const int count = state_.count;
        surface_.ClearMessages();
        Apply(surface_, event);
        ++figures_.events;

        std::vector<std::string> problems = CheckInvariants(state_, surface_, history_);
        const std::vector<Text>& messages = surface_.Messages();
        auto fail = [&problems](std::string line) { problems.push_back(std::move(line)); };
        auto expectNoMessage = [&] {
            if (!messages.empty())
                fail("unexpected message \"" + ToUtf8(messages.front()) + "\"");
        };
        const int after = std::clamp(state_.step - 1, 0, kMaxEntries);

        if (event.kind == Gesture::Kind::Click && event.control == ControlId::AddButton) {
            if (after == before + 1) {
                expectNoMessage();
                const Entry stored{state_.entryElement[static_cast<std::size_t>(before)],
                                   state_.entryCount[static_cast<std::size_t>(before)]};
                held_.push_back(stored);
                if (stored.count == 999999999)
                    ++figures_.largestCountAdds;
                // With an element shown, Add takes exactly it and the typed count (0 as 1).
                if (selected >= 0 && nameSelection == selected &&
                    !(stored == Entry{selected, std::max(count, 1)})) {
                    fail("Add stored (" + std::to_string(stored.element) + ", " +
                         std::to_string(stored.count) + ") for the chosen element " +
                         std::to_string(selected) + " and count " + std::to_string(count));
                }
                if (selected >= 0 && nameSelection == selected &&
                    ElementTable::IsNobleGas(selected)) {
                    fail("Add stored a noble gas");
                }
            } else if (after == before) {
                if (messages.size() != 1) {
                    fail("a refused Add showed " + std::to_string(messages.size()) + " messages");
                } else if (messages[0] == kMoleculeFull) {
                    ++figures_.limitRefusals;
                    if (before != kMaxEntries)
                        fail("the limit message with room left");
                } else if (messages[0] == kNothingChosen) {
                    ++figures_.emptyRefusals;
                } else if (IsNobleGasMessage(messages[0])) {
                    ++figures_.nobleRefusals;
                } else {
                    fail("a refused Add showed \"" + ToUtf8(messages[0]) + "\"");
                }
                if (selected >= 0 && nameSelection == selected && messages.size() == 1) {
                    const Text expected = ElementTable::IsNobleGas(selected)
                                              ? NobleGasMessage(selected)
                                          : before == kMaxEntries ? Text(kMoleculeFull)
                                                                  : Text();
                    if (messages[0] != expected) {
                        fail("Add refused the chosen element " + std::to_string(selected) +
                             " with \"" + ToUtf8(messages[0]) + "\"");
                    }
                }
            } else {
                fail("Add moved the molecule from " + std::to_string(before) + " to " +
                     std::to_string(after) + " entries");
            }
        } else if (event.kind == Gesture::Kind::Click && event.control == ControlId::UndoButton) {
            expectNoMessage();
            if (before == kMaxEntries)
                ++figures_.undosAtLimit;
            if (before > 0) {
                const Entry removed = held_.back();
                held_.pop_back();
                if (state_.selectedIndex != removed.element) {
                    fail("Undo left selectedIndex " + std::to_string(state_.selectedIndex) +
                         ", removed element " + std::to_string(removed.element));
                }
            }
        } else if (event.kind == Gesture::Kind::Click && event.control == ControlId::ResetButton) {
            expectNoMessage();
            held_.clear();
        } else if (event.kind == Gesture::Kind::Click && event.control == ControlId::SearchButton) {
            ++figures_.searches;
            if (messages.size() > 1 || (messages.size() == 1 && messages[0] != kNotFound &&
                                        messages[0] != kNothingToSearch)) {
                fail("the search showed an unexpected message");
            }
        } else {
            expectNoMessage();
        }

        if (after != static_cast<int>(held_.size())) {
            fail("step " + std::to_string(state_.step) + " after " + std::to_string(held_.size()) +
                 " entries were added and not taken back");
        } else if (event.kind == Gesture::Kind::Click) {
            for (int i = 0; i < after; ++i) {
                const Entry stored{state_.entryElement[static_cast<std::size_t>(i)],
                                   state_.entryCount[static_cast<std::size_t>(i)]};
                if (!(stored == held_[static_cast<std::size_t>(i)])) {
                    fail("stored entry " + std::to_string(i) + " changed");
                    break;
                }
            }
        }
        if (after == kMaxEntries && !reachedLimit_) {
            reachedLimit_ = true;
            ++figures_.reachedLimit;
        }
        return problems;
    }

  private:
    CompositionState state_;
    MemorySurface surface_;
    InvariantHistory history_;
    std::vector<Entry> held_;
    bool reachedLimit_ = false;
    SessionFigures& figures_;
};

template <typename NextEvent>
std::optional<SessionFailure> Run(std::uint64_t seed, NextEvent next, SessionFigures& figures) {
    ++figures.sessions;
    SessionChecker checker(figures);
    std::vector<Gesture> played;
    std::vector<std::string> problems = checker.CheckStart();
    while (problems.empty()) {
        std::optional<Gesture> event = next();
        if (!event)
            return std::nullopt;
        played.push_back(*event);
        problems = checker.Step(*event);
    }
    ++figures.failures;
    return SessionFailure{seed, static_cast<long long>(played.size()), std::move(problems),
                          ToReplayLines(played)};
}

}  // namespace

std::optional<SessionFailure> RunSession(std::uint64_t seed, SessionFigures& figures) {
    SessionGenerator generator(seed);
    return Run(
        seed, [&generator] { return generator.Next(); }, figures);
}

std::optional<SessionFailure> RunEvents(const std::vector<Gesture>& events,
                                        SessionFigures& figures) {
    std::size_t next = 0;
    return Run(
        0,
        [&]() -> std::optional<Gesture> {
            if (next == events.size())
                return std::nullopt;
            return events[next++];
        },
        figures);
}

}  // namespace zerkan::robust
