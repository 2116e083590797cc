#include <gtest/gtest.h>

#include <climits>

#include "core/elements.h"

namespace zerkan {
namespace {

struct Row {
    int number;
    const char* name;
    const char* symbol;
    double mass;
    const char* group;
    const char* kind;
    int period;
};

// The reference table, as the chemistry teacher gave it.
const Row kRows[] = {
    {1, "Hidrojen", "H", 1.00794, "1A", "Ametal", 1},
    {2, "Helyum", "He", 4.002602, "8A", "Soygaz", 1},
    {3, "Lityum", "Li", 6.941, "1A", "Metal", 2},
    {4, "Berilyum", "Be", 9.012182, "2A", "Metal", 2},
    {5, "Bor", "B", 10.811, "3A", "Yarımetal", 2},
    {6, "Karbon", "C", 12.011, "4A", "Ametal", 2},
    {7, "Azot", "N", 14.00674, "5A", "Ametal", 2},
    {8, "Oksijen", "O", 15.9994, "6A", "Ametal", 2},
    {9, "Flor", "F", 18.998404, "7A", "Ametal", 2},
    {10, "Neon", "Ne", 20.1797, "8A", "Soygaz", 2},
    {11, "Sodyum", "Na", 22.98977, "1A", "Metal", 3},
    {12, "Magnezyum", "Mg", 24.305, "2A", "Metal", 3},
    {13, "Alüminyum", "Al", 26.981539, "3A", "Metal", 3},
    {14, "Silisyum", "Si", 28.0855, "4A", "Yarımetal", 3},
    {15, "Fosfor", "P", 30.97376, "5A", "Ametal", 3},
    {16, "Kükürt", "S", 32.066, "6A", "Ametal", 3},
    {17, "Klor", "Cl", 35.4527, "7A", "Ametal", 3},
    {18, "Argon", "Ar", 39.948, "8A", "Soygaz", 3},
    {19, "Potasyum", "K", 39.0983, "1A", "Metal", 4},
    {20, "Kalsiyum", "Ca", 40.078, "2A", "Metal", 4},
    {21, "Skandiyum", "Sc", 44.95591, "3B", "Geçiş Metali", 4},
    {22, "Titan", "Ti", 47.867, "4B", "Geçiş Metali", 4},
    {23, "Vanadyum", "V", 50.9415, "5B", "Geçiş Metali", 4},
    {24, "Krom", "Cr", 51.9961, "6B", "Geçiş Metali", 4},
    {25, "Mangan", "Mn", 54.93805, "7B", "Geçiş Metali", 4},
    {26, "Demir", "Fe", 55.845, "8B", "Geçiş Metali", 4},
    {27, "Kobalt", "Co", 58.9332, "8B", "Geçiş Metali", 4},
    {28, "Nikel", "Ni", 58.6934, "8B", "Geçiş Metali", 4},
    {29, "Bakır", "Cu", 63.546, "1B", "Geçiş Metali", 4},
    {30, "Çinko", "Zn", 65.39, "2B", "Geçiş Metali", 4},
    {31, "Galyum", "Ga", 69.723, "3A", "Metal", 4},
    {32, "Germanyum", "Ge", 72.61, "4A", "Yarımetal", 4},
    {33, "Arsenik", "As", 74.9216, "5A", "Yarımetal", 4},
    {34, "Selenyum", "Se", 78.96, "6A", "Ametal", 4},
    {35, "Brom", "Br", 79.904, "7A", "Ametal", 4},
    {36, "Kripton", "Kr", 83.8, "8A", "Soygaz", 4},
    {37, "Rubidyum", "Rb", 85.4678, "1A", "Metal", 5},
    {38, "Stronsiyum", "Sr", 87.62, "2A", "Metal", 5},
    {39, "İtriyum", "Y", 88.90585, "3B", "Geçiş Metali", 5},
    {40, "Zirkonyum", "Zr", 91.224, "4B", "Geçiş Metali", 5},
    {41, "Niobyum", "Nb", 92.90638, "5B", "Geçiş Metali", 5},
    {42, "Molibden", "Mo", 95.94, "6B", "Geçiş Metali", 5},
    {43, "Teknesyum", "Tc", 98.0, "7B", "Geçiş Metali", 5},
    {44, "Rutenyum", "Ru", 101.07, "8B", "Geçiş Metali", 5},
    {45, "Rodyum", "Rh", 102.9055, "8B", "Geçiş Metali", 5},
    {46, "Palladyum", "Pd", 106.42, "8B", "Geçiş Metali", 5},
    {47, "Gümüş", "Ag", 107.8682, "1B", "Geçiş Metali", 5},
    {48, "Kadmiyum", "Cd", 112.411, "2B", "Geçiş Metali", 5},
    {49, "İndiyum", "In", 114.818, "3A", "Metal", 5},
    {50, "Kalay", "Sn", 118.71, "4A", "Metal", 5},
    {51, "Antimon", "Sb", 121.76, "5A", "Yarımetal", 5},
    {52, "Tellur", "Te", 127.6, "6A", "Yarımetal", 5},
    {53, "İyod", "I", 126.90447, "7A", "Ametal", 5},
    {54, "Ksenon", "Xe", 131.29, "8A", "Soygaz", 5},
    {55, "Sezyum", "Cs", 132.90546, "1A", "Metal", 6},
    {56, "Baryum", "Ba", 137.327, "2A", "Metal", 6},
    {57, "Lantan", "La", 138.9055, "3B(Lantanit)", "Geçiş Metali", 6},
    {58, "Seryum", "Ce", 140.115, "3B(Lantanit)", "Geçiş Metali", 6},
    {59, "Praseodimyum", "Pr", 140.90765, "3B(Lantanit)", "Geçiş Metali", 6},
    {60, "Neodimyum", "Nd", 144.24, "3B(Lantanit)", "Geçiş Metali", 6},
    {61, "Prometyum", "Pm", 145.0, "3B(Lantanit)", "Geçiş Metali", 6},
    {62, "Samaryum", "Sm", 150.36, "3B(Lantanit)", "Geçiş Metali", 6},
    {63, "Europyum", "Eu", 151.965, "3B(Lantanit)", "Geçiş Metali", 6},
    {64, "Gadolinyum", "Gd", 157.25, "3B(Lantanit)", "Geçiş Metali", 6},
    {65, "Terbiyum", "Tb", 158.92534, "3B(Lantanit)", "Geçiş Metali", 6},
    {66, "Disprosyum", "Dy", 162.5, "3B(Lantanit)", "Geçiş Metali", 6},
    {67, "Holmiyum", "Ho", 164.93031, "3B(Lantanit)", "Geçiş Metali", 6},
    {68, "Erbiyum", "Er", 167.26, "3B(Lantanit)", "Geçiş Metali", 6},
    {69, "Tulyum", "Tm", 168.9342, "3B(Lantanit)", "Geçiş Metali", 6},
    {70, "İtterbiyum", "Yb", 173.04, "3B(Lantanit)", "Geçiş Metali", 6},
    {71, "Lutesyum", "Lu", 174.967, "3B(Lantanit)", "Geçiş Metali", 6},
    {72, "Hafniyum", "Hf", 178.49, "4B", "Geçiş Metali", 6},
    {73, "Tantal", "Ta", 180.9479, "5B", "Geçiş Metali", 6},
    {74, "Volfram", "W", 183.84, "6B", "Geçiş Metali", 6},
    {75, "Renyum", "Re", 186.207, "7B", "Geçiş Metali", 6},
    {76, "Osmiyum", "Os", 190.23, "8B", "Geçiş Metali", 6},
    {77, "İridyum", "Ir", 192.217, "8B", "Geçiş Metali", 6},
    {78, "Platin", "Pt", 195.078, "8B", "Geçiş Metali", 6},
    {79, "Altın", "Au", 196.96655, "1B", "Geçiş Metali", 6},
    {80, "Cıva", "Hg", 200.59, "2B", "Geçiş Metali", 6},
    {81, "Talyum", "Tl", 204.3833, "3A", "Metal", 6},
    {82, "Kurşun", "Pb", 207.2, "4A", "Metal", 6},
    {83, "Bizmut", "Bi", 208.98038, "5A", "Metal", 6},
    {84, "Polonyum", "Po", 209.0, "6A", "Metal", 6},
    {85, "Astatin", "At", 210.0, "7A", "Yarımetal", 6},
    {86, "Radon", "Rn", 222.0, "8A", "Soygaz", 6},
    {87, "Fransiyum", "Fr", 223.0, "1A", "Metal", 7},
    {88, "Radyum", "Ra", 226.0, "2A", "Metal", 7},
    {89, "Aktinyum", "Ac", 227.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {90, "Toryum", "Th", 232.0381, "3B(Aktinit)", "Geçiş Metali", 7},
    {91, "Protaktinyum", "Pa", 231.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {92, "Uranyum", "U", 238.0289, "3B(Aktinit)", "Geçiş Metali", 7},
    {93, "Neptunyum", "Np", 237.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {94, "Plutonyum", "Pu", 244.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {95, "Amerikyum", "Am", 243.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {96, "Kuriyum", "Cm", 247.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {97, "Berkelyum", "Bk", 247.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {98, "Kaliforniyum", "Cf", 251.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {99, "Aynştaynyum", "Es", 252.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {100, "Fermiyum", "Fm", 257.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {101, "Mendelevyum", "Md", 258.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {102, "Nobelyum", "No", 259.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {103, "Lavrensiyum", "Lr", 262.0, "3B(Aktinit)", "Geçiş Metali", 7},
    {104, "Rutherfardiyum", "Rf", 261.0, "4B", "Geçiş Metali", 7},
    {105, "Dubniyum", "Db", 262.0, "5B", "Geçiş Metali", 7},
    {106, "Seaborgiyum", "Sg", 263.0, "6B", "Geçiş Metali", 7},
    {107, "Bohriyum", "Bh", 262.0, "7B", "Geçiş Metali", 7},
    {108, "Hassiyum/Unniloktiyum", "Hs", 265.0, "8B", "Geçiş Metali", 7},
    {109, "Meitneryum/Unnilennyum", "Mt", 266.0, "8B", "Geçiş Metali", 7},
    {110, "Ununnilyum", "Uun", 269.0, "8B", "Geçiş Metali", 7},
    {111, "Unununyum", "Uuu", 272.0, "1B", "Geçiş Metali", 7},
    {112, "Ununbiyum", "Uub", 277.0, "2B", "Geçiş Metali", 7},
};

TEST(ElementTable, EveryRowAndItsClassification) {
    ASSERT_EQ(std::size(kRows), static_cast<std::size_t>(kElementCount));
    for (int i = 0; i < kElementCount; ++i) {
        const Row& row = kRows[i];
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ElementTable::Number(i), row.number);
        EXPECT_EQ(ElementTable::NumberText(i), std::to_string(row.number));
        EXPECT_EQ(ToUtf8(ElementTable::Name(i)), row.name);
        EXPECT_EQ(ToUtf8(ElementTable::Symbol(i)), row.symbol);
        EXPECT_EQ(ElementTable::AtomicMass(i), row.mass);
        const ElementClass c = ElementTable::classify(i);
        EXPECT_EQ(ToUtf8(c.groupText), row.group);
        EXPECT_EQ(ToUtf8(c.kindText), row.kind);
        EXPECT_EQ(c.period, row.period);
        EXPECT_EQ(ToUtf8(c.periodGroupText),
                  std::to_string(row.period) + ". Periyot, " + row.group);
    }
}

class IndexOutsideTheTable : public ::testing::TestWithParam<int> {};

TEST_P(IndexOutsideTheTable, KeepsGroupPeriodAndMassAfterHelium) {
    ElementClass held;
    double mass = 0.0;
    ClassifySelectedElement(1, held.groupText, held.kindText, held.period, held.periodGroupText);
    LookUpAtomicMass(1, mass);

    ClassifySelectedElement(GetParam(), held.groupText, held.kindText, held.period,
                            held.periodGroupText);
    LookUpAtomicMass(GetParam(), mass);
    EXPECT_EQ(ToUtf8(held.kindText), "Geçiş Metali");
    EXPECT_EQ(held.groupText, "8A");
    EXPECT_EQ(held.period, 1);
    EXPECT_EQ(held.periodGroupText, "1. Periyot, 8A");
    EXPECT_EQ(mass, 4.002602);
}

INSTANTIATE_TEST_SUITE_P(Indexes, IndexOutsideTheTable,
                         ::testing::Values(-1, -2, 112, 1000, INT_MIN, INT_MAX));

TEST(ElementTable, NothingClassifiedYetGivesPeriodZero) {
    ElementClass held;
    ClassifySelectedElement(-1, held.groupText, held.kindText, held.period, held.periodGroupText);
    EXPECT_EQ(held.periodGroupText, "0. Periyot, ");
    EXPECT_EQ(ToUtf8(held.kindText), "Geçiş Metali");
}

}  // namespace
}  // namespace zerkan
