#include "exchange.h"

#include <climits>
#include <optional>
#include <utility>

#include "texts.h"

namespace zerkan {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A whole decimal number with an optional sign and blanks around it. Values beyond the range
// of long long are clamped, which keeps them outside every range that is checked.
std::optional<long long> ParseWholeNumber(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value > (LLONG_MAX - 9) / 10 ? LLONG_MAX : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// A decimal number with blanks around it.
std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    return ParseDouble(text);
}

}  // namespace

SaveOutcome SaveBoundValues(MainWindowSurface& surface) {
    const std::optional<long long> count = ParseWholeNumber(surface.GetText(ControlId::CountField));
    if (!count)
        return {false, ControlId::CountField, texts::kIntegerExpected};
    if (*count < 1 || *count > INT_MAX)
        return {false, ControlId::CountField, texts::kCountRange};
    surface.boundCount = static_cast<int>(*count);
    for (const auto& [id, member] :
         {std::pair{ControlId::MolecularMassBox, &surface.boundMolecularMass},
          std::pair{ControlId::AtomicMassValue, &surface.boundAtomicMass}}) {
        const std::optional<double> value = ParseDecimal(surface.GetText(id));
        if (!value)
            return {false, id, texts::kNumberExpected};
        *member = *value;
    }
    return {};
}

}  // namespace zerkan
