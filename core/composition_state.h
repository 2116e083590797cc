#pragma once

// The one record that the handlers read and write while a molecule is composed. It lives as
// long as the program and belongs to no window.

#include <array>

#include "text.h"

namespace zerkan {

inline constexpr int kMaxEntries = 1000;

struct CompositionState {
    int selectedIndex = -1;
    int step = 1;
    int count = 0;
    double atomicMass = 0.0;
    double molecularMass = 0.0;
    std::array<int, kMaxEntries> entryElement{};
    std::array<int, kMaxEntries> entryCount{};
    int period = 0;
    Text promptText;
    Text countLabelText;
    Text protonText;
    Text nameText;
    Text symbolText;
    Text formulaText;
    Text contentsText;
    Text groupText;
    Text periodGroupText;
    Text kindText;
};

}  // namespace zerkan
