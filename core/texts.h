#pragma once

// The program's own texts, in Windows-1254, each written once: the core shows them and the
// tests compare against them. %d stands for the step or the proton count.

#include <string_view>

#include "text.h"

namespace zerkan::texts {

inline constexpr std::string_view kChoosePrompt = "%d. Elementi Seçiniz."_w;
inline constexpr std::string_view kChosenPrompt = "%d. Elementi Seçtiniz."_w;
inline constexpr std::string_view kCountLabel = "%d. Elementin Adedi"_w;
inline constexpr std::string_view kProtonLine = "Proton Sayısı:%d"_w;
inline constexpr std::string_view kAtomicMassLabel = "Atom Kütlesi:"_w;
inline constexpr std::string_view kNobleGasKind = "Soygaz"_w;

// Message boxes.
inline constexpr std::string_view kNothingToSearch = "Aranacak hiçbir veri girmediniz!"_w;
inline constexpr std::string_view kNotFound = "Girdiğiniz veriye uyan bir element bulunamadı!"_w;
inline constexpr std::string_view kNothingChosen =
    "Hiçbir element seçmediniz. Lütfen bir element seçiniz"_w;
inline constexpr std::string_view kMoleculeFull = "Zerkana en fazla 1000 element eklenebilir."_w;
// Follows the element's name.
inline constexpr std::string_view kNobleGasRefused =
    " elementi soygaz olduğundan bileşik oluşturamaz."_w;
// The accept action's checks.
inline constexpr std::string_view kIntegerExpected = "Lütfen bir tam sayı girin."_w;
inline constexpr std::string_view kCountRange =
    "Lütfen 1 ile 2147483647 arasında bir tam sayı girin."_w;
inline constexpr std::string_view kNumberExpected = "Lütfen bir sayı girin."_w;

// The result boxes' context menu.
inline constexpr std::string_view kCopyCommand = "&Kopyala"_w;
inline constexpr std::string_view kSelectAllCommand = "&Tümünü Seç"_w;

}  // namespace zerkan::texts
