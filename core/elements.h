#pragma once

// The 112 elements and the rules that give each its group, kind and period. Constant data:
// entry i of the table is element index i, atomic number i + 1, and also entry i of each of
// the three pickers.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text.h"

namespace zerkan {

inline constexpr int kElementCount = 112;
// The longest name ("Meitneryum/Unnilennyum") and symbol of the table, in characters.
inline constexpr std::size_t kMaxNameLength = 22;
inline constexpr std::size_t kMaxSymbolLength = 3;

struct Element {
    int number;
    std::string_view name;    // Windows-1254
    std::string_view symbol;  // Windows-1254
    double atomicMass;
};

struct ElementClass {
    Text groupText;
    Text kindText;
    int period = 0;
    Text periodGroupText;
};

namespace ElementTable {

// Every lookup takes an index 0..111; the caller guarantees the range.
const Element& At(int index);
int Number(int index);
std::string_view Name(int index);
std::string_view Symbol(int index);
double AtomicMass(int index);
// The number as the number picker lists it: "1" to "112".
Text NumberText(int index);
ElementClass classify(int index);
// Noble gases form no compounds: Add refuses them.
bool IsNobleGas(int index);

}  // namespace ElementTable

// Both steps accept any index; outside 0..111 the mass keeps its value, and the class gets
// the kind "Geçiş Metali" with group and period kept and the period-group line rebuilt.
void LookUpAtomicMass(int index, double& atomicMass);
void ClassifySelectedElement(int index, Text& groupText, Text& kindText, int& period,
                             Text& periodGroupText);

}  // namespace zerkan
