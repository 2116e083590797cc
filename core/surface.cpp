#include "surface.h"

#include <algorithm>
#include <climits>
#include <iterator>

#include "controls.h"
#include "elements.h"

namespace zerkan {

int ReadCountText(std::string_view text) {
    std::size_t pos = 0;
    auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    while (pos < text.size() && blank(text[pos]))
        ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (negative)
        ++pos;
    // The magnitude saturates one above INT_MAX, which is exactly -INT_MIN; wider arithmetic
    // keeps every step free of overflow.
    constexpr long long kCap = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > kCap)
            magnitude = kCap;
    }
    if (negative)
        return static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

Text PickerEntryText(ControlId picker, int index) {
    if (index < 0 || index >= kElementCount)
        return {};
    switch (picker) {
        case ControlId::NumberPicker:
            return ElementTable::NumberText(index);
        case ControlId::NamePicker:
            return Text(ElementTable::Name(index));
        case ControlId::SymbolPicker:
            return Text(ElementTable::Symbol(index));
        default:
            return {};
    }
}

bool IsPicker(ControlId control) {
    return std::find(std::begin(kPickers), std::end(kPickers), control) != std::end(kPickers);
}

int FirstMatchingEntry(ControlId picker, std::string_view typed) {
    if (typed.empty() || !IsPicker(picker))
        return -1;
    for (int i = 0; i < kElementCount; ++i) {
        if (StartsWithIgnoringCase(PickerEntryText(picker, i), typed))
            return i;
    }
    return -1;
}

std::string_view ControlName(ControlId control) {
    const layout::Control* row = layout::FindMainControl(static_cast<int>(control));
    return row != nullptr ? row->name : std::string_view();
}

}  // namespace zerkan
