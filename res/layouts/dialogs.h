#pragma once

// The two dialog layouts as data, in dialog units of the dialog's font (x: a quarter of the
// average character width, y: an eighth of the font height). Layout order is the tab order.
// Texts are UTF-8; "&" marks a button's mnemonic.

#include <array>
#include <string_view>

namespace zerkan::layout {

enum class Kind {
    Picker,  // editable drop-down list; the height includes the dropped list
    Button,
    DefaultButton,
    Edit,         // digits-only entry field
    ReadOnlyBox,  // read-only one-line box, no tab stop
    Label,        // left-aligned static text
    CenteredLabel,
    Frame,    // group frame without caption
    Picture,  // shows an image at the image's own pixel size
};

struct Control {
    int id;                 // -1: no identifier
    std::string_view name;  // objectName; the member name where the window has one
    Kind kind;
    std::string_view text;        // caption, or the image resource for a picture
    int x, y, w, h;               // dialog units, top-left corner in the client area
    std::string_view accessible;  // name for screen readers: what the user sees on or beside it
};

struct Size {
    int w, h;
};

// Layout 102, the main window.
inline constexpr std::string_view kMainTitle = "Zerkan Kütlesi 3.1";
inline constexpr Size kMainClient{243, 220};
inline constexpr std::array<Control, 27> kMainControls{{
    {1034, "NumberPicker", Kind::Picker, "", 15, 32, 48, 48, "Atom Numarası"},
    {1000, "NamePicker", Kind::Picker, "", 77, 32, 90, 53, "Element"},
    {1001, "SymbolPicker", Kind::Picker, "", 181, 32, 36, 52, "Sembol"},
    {1042, "SearchButton", Kind::Button, "ara", 222, 31, 18, 14, "ara"},
    {1002, "CountField", Kind::Edit, "", 14, 118, 58, 14, "1. Elementin Adedi"},
    {1003, "UndoButton", Kind::Button, "&Geri Al", 3, 146, 42, 15, "Geri Al"},
    {1004, "AddButton", Kind::Button, "&Ekle", 100, 146, 42, 15, "Ekle"},
    {1005, "ResetButton", Kind::Button, "&Sıfırla", 198, 145, 42, 15, "Sıfırla"},
    {1006, "NameCaption", Kind::Label, "Element", 109, 19, 25, 8, ""},
    {1007, "SymbolCaption", Kind::Label, "Sembol", 184, 19, 35, 9, ""},
    {1008, "CountLabel", Kind::Label, "1. Elementin Adedi", 14, 107, 65, 8, ""},
    // The information column starts further left than it used to, so that every atomic mass
    // shows in full.
    {1011, "ProtonLine", Kind::Label, "", 150, 78, 89, 9, ""},
    {1010, "AtomicMassValue", Kind::Label, "", 196, 90, 44, 8, ""},
    {-1, "NumberCaption", Kind::Label, "Atom Numarası", 15, 19, 49, 8, ""},
    {1036, "PeriodGroupLine", Kind::Label, "", 17, 79, 131, 8, ""},
    {1037, "KindLine", Kind::Label, "", 17, 90, 56, 8, ""},
    {1026, "ContentsBox", Kind::ReadOnlyBox, "", 58, 186, 182, 14, "Zerkan İçeriği"},
    {-1, "ContentsCaption", Kind::Label, "Zerkan İçeriği", 5, 186, 46, 8, ""},
    {1028, "MolecularMassBox", Kind::ReadOnlyBox, "", 58, 170, 182, 15, "Zerkan Kütlesi"},
    {-1, "MolecularMassCaption", Kind::Label, "Zerkan Kütlesi", 5, 170, 48, 8, ""},
    {1030, "FormulaCaption", Kind::Label, "Zerkan Formülü", 5, 202, 52, 8, ""},
    {1031, "FormulaBox", Kind::ReadOnlyBox, "", 58, 202, 182, 14, "Zerkan Formülü"},
    {1041, "AtomicMassLabel", Kind::Label, "Atom Kütlesi:", 150, 90, 45, 8, ""},
    {1047, "SelectionFrame", Kind::Frame, "", 0, 0, 243, 102, "Element seçimi"},
    // Centred on the same point as ever, but wide enough for "1000. Elementi Seçtiniz.".
    {1009, "StepPrompt", Kind::CenteredLabel, "1. Elementi Seçiniz.", 40, 6, 164, 8, ""},
    {-1, "CompositionFrame", Kind::Frame, "", 0, 97, 243, 67, "Zerkan oluşturma"},
    {-1, "Picture", Kind::Picture, ":/res/bitmap132.bmp", 187, 102, 55, 34,
     "Periyodik cetvel resmi"},
}};

// Layout 100, the About box. Its version line stays as the product has always shown it.
inline constexpr std::string_view kAboutTitle = "Zerkan Kütlesi Hakkında";
inline constexpr Size kAboutClient{312, 110};
inline constexpr std::array<Control, 10> kAboutControls{{
    {-1, "Picture", Kind::Picture, ":/res/bitmap177.bmp", 9, 8, 22, 20, "Program simgesi"},
    {-1, "VersionLine", Kind::Label, "Zerkan Kütlesi Programı Sürüm 3.0", 93, 9, 119, 8, ""},
    {-1, "CreditLine4", Kind::Label, "Tüm hakları saklıdır.", 93, 89, 119, 8, ""},
    {1, "OkButton", Kind::DefaultButton, "OK", 254, 7, 50, 14, "OK"},
    {-1, "CreditLine1", Kind::Label, "Hazırlayanlar", 122, 20, 66, 8, ""},
    {-1, "CreditLine2", Kind::Label, "Zerkan Kütlesi geliştiricileri", 98, 32, 150, 8, ""},
    {-1, "CreditLine3", Kind::Label, "Periyodik cetvel ve zerkan kütlesi hesaplayıcı", 73, 43, 187,
     8, ""},
    {-1, "EmptyLine1", Kind::Label, "", 91, 54, 170, 8, ""},
    {-1, "EmptyLine2", Kind::Label, "", 33, 77, 246, 8, ""},
    {-1, "NoticeLine", Kind::Label, "Bu program işlevi dışında hiçbir özellik barındırmaz.", 77, 66,
     158, 8, ""},
}};

}  // namespace zerkan::layout
