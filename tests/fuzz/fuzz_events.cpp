// libFuzzer target: arbitrary bytes decoded into gestures on the in-memory window, with the
// invariants checked after every gesture. A broken invariant aborts with the violations and
// the gestures as replay lines.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/event_codec.h"
#include "tests/support/session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto events = zerkan::fuzz::DecodeEvents(data, size);
    zerkan::robust::SessionFigures figures;
    if (const auto failure = zerkan::robust::RunEvents(events, figures)) {
        std::fprintf(stderr, "invariant broken after event %lld:\n", failure->eventNumber);
        for (const std::string& line : failure->violations)
            std::fprintf(stderr, "  %s\n", line.c_str());
        std::fprintf(stderr, "events:\n%s", failure->replay.c_str());
        std::abort();
    }
    return 0;
}
