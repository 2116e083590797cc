#include "elements.h"
#include "texts.h"

#include <algorithm>

namespace zerkan {

namespace {

constexpr std::array<Element, kElementCount> kElements = {{
    {1, "Hidrojen"_w, "H"_w, 1.00794},
    {2, "Helyum"_w, "He"_w, 4.002602},
    {3, "Lityum"_w, "Li"_w, 6.941},
    {4, "Berilyum"_w, "Be"_w, 9.012182},
    {5, "Bor"_w, "B"_w, 10.811},
    {6, "Karbon"_w, "C"_w, 12.011},
    {7, "Azot"_w, "N"_w, 14.00674},
    {8, "Oksijen"_w, "O"_w, 15.9994},
    {9, "Flor"_w, "F"_w, 18.998404},
    {10, "Neon"_w, "Ne"_w, 20.1797},
    {11, "Sodyum"_w, "Na"_w, 22.98977},
    {12, "Magnezyum"_w, "Mg"_w, 24.305},
    {13, "Alüminyum"_w, "Al"_w, 26.981539},
    {14, "Silisyum"_w, "Si"_w, 28.0855},
    {15, "Fosfor"_w, "P"_w, 30.97376},
    {16, "Kükürt"_w, "S"_w, 32.066},
    {17, "Klor"_w, "Cl"_w, 35.4527},
    {18, "Argon"_w, "Ar"_w, 39.948},
    {19, "Potasyum"_w, "K"_w, 39.0983},
    {20, "Kalsiyum"_w, "Ca"_w, 40.078},
    {21, "Skandiyum"_w, "Sc"_w, 44.95591},
    {22, "Titan"_w, "Ti"_w, 47.867},
    {23, "Vanadyum"_w, "V"_w, 50.9415},
    {24, "Krom"_w, "Cr"_w, 51.9961},
    {25, "Mangan"_w, "Mn"_w, 54.93805},
    {26, "Demir"_w, "Fe"_w, 55.845},
    {27, "Kobalt"_w, "Co"_w, 58.9332},
    {28, "Nikel"_w, "Ni"_w, 58.6934},
    {29, "Bakır"_w, "Cu"_w, 63.546},
    {30, "Çinko"_w, "Zn"_w, 65.39},
    {31, "Galyum"_w, "Ga"_w, 69.723},
    {32, "Germanyum"_w, "Ge"_w, 72.61},
    {33, "Arsenik"_w, "As"_w, 74.9216},
    {34, "Selenyum"_w, "Se"_w, 78.96},
    {35, "Brom"_w, "Br"_w, 79.904},
    {36, "Kripton"_w, "Kr"_w, 83.8},
    {37, "Rubidyum"_w, "Rb"_w, 85.4678},
    {38, "Stronsiyum"_w, "Sr"_w, 87.62},
    {39, "İtriyum"_w, "Y"_w, 88.90585},
    {40, "Zirkonyum"_w, "Zr"_w, 91.224},
    {41, "Niobyum"_w, "Nb"_w, 92.90638},
    {42, "Molibden"_w, "Mo"_w, 95.94},
    {43, "Teknesyum"_w, "Tc"_w, 98.0},
    {44, "Rutenyum"_w, "Ru"_w, 101.07},
    {45, "Rodyum"_w, "Rh"_w, 102.9055},
    {46, "Palladyum"_w, "Pd"_w, 106.42},
    {47, "Gümüş"_w, "Ag"_w, 107.8682},
    {48, "Kadmiyum"_w, "Cd"_w, 112.411},
    {49, "İndiyum"_w, "In"_w, 114.818},
    {50, "Kalay"_w, "Sn"_w, 118.71},
    {51, "Antimon"_w, "Sb"_w, 121.76},
    {52, "Tellur"_w, "Te"_w, 127.6},
    {53, "İyod"_w, "I"_w, 126.90447},
    {54, "Ksenon"_w, "Xe"_w, 131.29},
    {55, "Sezyum"_w, "Cs"_w, 132.90546},
    {56, "Baryum"_w, "Ba"_w, 137.327},
    {57, "Lantan"_w, "La"_w, 138.9055},
    {58, "Seryum"_w, "Ce"_w, 140.115},
    {59, "Praseodimyum"_w, "Pr"_w, 140.90765},
    {60, "Neodimyum"_w, "Nd"_w, 144.24},
    {61, "Prometyum"_w, "Pm"_w, 145.0},
    {62, "Samaryum"_w, "Sm"_w, 150.36},
    {63, "Europyum"_w, "Eu"_w, 151.965},
    {64, "Gadolinyum"_w, "Gd"_w, 157.25},
    {65, "Terbiyum"_w, "Tb"_w, 158.92534},
    {66, "Disprosyum"_w, "Dy"_w, 162.5},
    {67, "Holmiyum"_w, "Ho"_w, 164.93031},
    {68, "Erbiyum"_w, "Er"_w, 167.26},
    {69, "Tulyum"_w, "Tm"_w, 168.9342},
    {70, "İtterbiyum"_w, "Yb"_w, 173.04},
    {71, "Lutesyum"_w, "Lu"_w, 174.967},
    {72, "Hafniyum"_w, "Hf"_w, 178.49},
    {73, "Tantal"_w, "Ta"_w, 180.9479},
    {74, "Volfram"_w, "W"_w, 183.84},
    {75, "Renyum"_w, "Re"_w, 186.207},
    {76, "Osmiyum"_w, "Os"_w, 190.23},
    {77, "İridyum"_w, "Ir"_w, 192.217},
    {78, "Platin"_w, "Pt"_w, 195.078},
    {79, "Altın"_w, "Au"_w, 196.96655},
    {80, "Cıva"_w, "Hg"_w, 200.59},
    {81, "Talyum"_w, "Tl"_w, 204.3833},
    {82, "Kurşun"_w, "Pb"_w, 207.2},
    {83, "Bizmut"_w, "Bi"_w, 208.98038},
    {84, "Polonyum"_w, "Po"_w, 209.0},
    {85, "Astatin"_w, "At"_w, 210.0},
    {86, "Radon"_w, "Rn"_w, 222.0},
    {87, "Fransiyum"_w, "Fr"_w, 223.0},
    {88, "Radyum"_w, "Ra"_w, 226.0},
    {89, "Aktinyum"_w, "Ac"_w, 227.0},
    {90, "Toryum"_w, "Th"_w, 232.0381},
    {91, "Protaktinyum"_w, "Pa"_w, 231.0},
    {92, "Uranyum"_w, "U"_w, 238.0289},
    {93, "Neptunyum"_w, "Np"_w, 237.0},
    {94, "Plutonyum"_w, "Pu"_w, 244.0},
    {95, "Amerikyum"_w, "Am"_w, 243.0},
    {96, "Kuriyum"_w, "Cm"_w, 247.0},
    {97, "Berkelyum"_w, "Bk"_w, 247.0},
    {98, "Kaliforniyum"_w, "Cf"_w, 251.0},
    {99, "Aynştaynyum"_w, "Es"_w, 252.0},
    {100, "Fermiyum"_w, "Fm"_w, 257.0},
    {101, "Mendelevyum"_w, "Md"_w, 258.0},
    {102, "Nobelyum"_w, "No"_w, 259.0},
    {103, "Lavrensiyum"_w, "Lr"_w, 262.0},
    {104, "Rutherfardiyum"_w, "Rf"_w, 261.0},
    {105, "Dubniyum"_w, "Db"_w, 262.0},
    {106, "Seaborgiyum"_w, "Sg"_w, 263.0},
    {107, "Bohriyum"_w, "Bh"_w, 262.0},
    {108, "Hassiyum/Unniloktiyum"_w, "Hs"_w, 265.0},
    {109, "Meitneryum/Unnilennyum"_w, "Mt"_w, 266.0},
    {110, "Ununnilyum"_w, "Uun"_w, 269.0},
    {111, "Unununyum"_w, "Uuu"_w, 272.0},
    {112, "Ununbiyum"_w, "Uub"_w, 277.0},
}};

constexpr bool FitsTheLengthBounds() {
    for (const Element& e : kElements) {
        if (e.name.size() > kMaxNameLength || e.symbol.size() > kMaxSymbolLength)
            return false;
    }
    return true;
}
static_assert(FitsTheLengthBounds());

enum class Kind { Metal, Ametal, Yarimetal, GecisMetali, Soygaz };

std::string_view KindName(Kind kind) {
    switch (kind) {
        case Kind::Metal:
            return "Metal"_w;
        case Kind::Ametal:
            return "Ametal"_w;
        case Kind::Yarimetal:
            return "Yarımetal"_w;
        case Kind::Soygaz:
            return texts::kNobleGasKind;
        case Kind::GecisMetali:
            break;
    }
    return "Geçiş Metali"_w;
}

struct Member {
    int number;
    Kind kind;
};

// The eight A groups: each number with its own kind.
struct GroupA {
    std::string_view label;
    std::array<Member, 7> members;
    int size;
};

constexpr Kind M = Kind::Metal, A = Kind::Ametal, Y = Kind::Yarimetal, S = Kind::Soygaz;

constexpr std::array<GroupA, 8> kGroupsA = {{
    {"1A", {{{1, A}, {3, M}, {11, M}, {19, M}, {37, M}, {55, M}, {87, M}}}, 7},
    {"2A", {{{4, M}, {12, M}, {20, M}, {38, M}, {56, M}, {88, M}}}, 6},
    {"3A", {{{5, Y}, {13, M}, {31, M}, {49, M}, {81, M}}}, 5},
    {"4A", {{{6, A}, {14, Y}, {32, Y}, {50, M}, {82, M}}}, 5},
    {"5A", {{{7, A}, {15, A}, {33, Y}, {51, Y}, {83, M}}}, 5},
    {"6A", {{{8, A}, {16, A}, {34, A}, {52, Y}, {84, M}}}, 5},
    {"7A", {{{9, A}, {17, A}, {35, A}, {53, A}, {85, Y}}}, 5},
    {"8A", {{{2, S}, {10, S}, {18, S}, {36, S}, {54, S}, {86, S}}}, 6},
}};

// The B rows, all of them transition metals; the two suffixed 3B rows are ranges.
struct GroupB {
    std::string_view label;
    std::array<int, 12> numbers;
    int size;
};

constexpr std::array<GroupB, 8> kGroupsB = {{
    {"3B", {21, 39}, 2},
    {"4B", {22, 40, 72, 104}, 4},
    {"5B", {23, 41, 73, 105}, 4},
    {"6B", {24, 42, 74, 106}, 4},
    {"7B", {25, 43, 75, 107}, 4},
    {"8B", {26, 27, 28, 44, 45, 46, 76, 77, 78, 108, 109, 110}, 12},
    {"1B", {29, 47, 79, 111}, 4},
    {"2B", {30, 48, 80, 112}, 4},
}};

// Step 1 of the classification: the group label (kept when the number is in no row) and the
// kind.
void ClassifyGroup(int z, Text& groupText, Text& kindText) {
    for (const GroupA& group : kGroupsA) {
        for (int i = 0; i < group.size; ++i) {
            if (group.members[static_cast<std::size_t>(i)].number == z) {
                groupText.assign(group.label);
                kindText.assign(KindName(group.members[static_cast<std::size_t>(i)].kind));
                return;
            }
        }
    }
    kindText.assign(KindName(Kind::GecisMetali));
    if (z >= 57 && z <= 71) {
        groupText.assign("3B(Lantanit)");
        return;
    }
    if (z >= 89 && z <= 103) {
        groupText.assign("3B(Aktinit)");
        return;
    }
    for (const GroupB& group : kGroupsB) {
        const auto end = group.numbers.begin() + group.size;
        if (std::find(group.numbers.begin(), end, z) != end) {
            groupText.assign(group.label);
            return;
        }
    }
}

// Step 2: the period by ranges of the atomic number; kept outside 1..112.
void ClassifyPeriod(int z, int& period) {
    constexpr int kLastOfPeriod[] = {2, 10, 18, 36, 54, 86, 112};
    if (z < 1 || z > kElementCount)
        return;
    for (int p = 0; p < 7; ++p) {
        if (z <= kLastOfPeriod[p]) {
            period = p + 1;
            return;
        }
    }
}

// Step 3, run every time.
void BuildPeriodGroupText(int period, const Text& groupText, Text& periodGroupText) {
    AssignWithNumber(periodGroupText, "%d. Periyot, ", period);
    periodGroupText.append(groupText);
}

bool InTable(int index) {
    return index >= 0 && index < kElementCount;
}

}  // namespace

namespace ElementTable {

const Element& At(int index) {
    return kElements[static_cast<std::size_t>(index)];
}
int Number(int index) {
    return At(index).number;
}
std::string_view Name(int index) {
    return At(index).name;
}
std::string_view Symbol(int index) {
    return At(index).symbol;
}
double AtomicMass(int index) {
    return At(index).atomicMass;
}
Text NumberText(int index) {
    return FormatInt(Number(index));
}

ElementClass classify(int index) {
    ElementClass result;
    ClassifySelectedElement(index, result.groupText, result.kindText, result.period,
                            result.periodGroupText);
    return result;
}

bool IsNobleGas(int index) {
    return classify(index).kindText == texts::kNobleGasKind;
}

}  // namespace ElementTable

void LookUpAtomicMass(int index, double& atomicMass) {
    if (InTable(index))
        atomicMass = kElements[static_cast<std::size_t>(index)].atomicMass;
}

void ClassifySelectedElement(int index, Text& groupText, Text& kindText, int& period,
                             Text& periodGroupText) {
    // 0 is in no row and no range, like every number outside 1..112.
    const int number = InTable(index) ? index + 1 : 0;
    ClassifyGroup(number, groupText, kindText);
    ClassifyPeriod(number, period);
    BuildPeriodGroupText(period, groupText, periodGroupText);
}

}  // namespace zerkan
