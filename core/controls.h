#pragma once

// The one table of the program's two dialogs: every control with its identifier, member name,
// kind, text, place and window styles. The Qt window builds its widgets from it; the Win32
// window builds its dialog templates from it; ControlName reads the member names from it.
// Places are in dialog units of the dialog's font (x: a quarter of the average character
// width, y: an eighth of the font height). Layout order is the tab order. Texts are UTF-8;
// "&" marks a button's mnemonic.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/version.h"

namespace zerkan::layout {

// The window-style bits the table uses, by value: this header stays free of <windows.h>, and
// the Win32 window checks each value against the system's own definition.
namespace style {
inline constexpr std::uint32_t kPopup = 0x80000000, kVisible = 0x10000000, kCaption = 0x00C00000,
                               kVScroll = 0x00200000, kSysMenu = 0x00080000, kGroup = 0x00020000,
                               kMinimizeBox = 0x00020000, kTabStop = 0x00010000;
inline constexpr std::uint32_t kDsAbsAlign = 0x0001, kDs3dLook = 0x0004, kDsFixedSys = 0x0008,
                               kDsSetFont = 0x0040, kDsModalFrame = 0x0080, kDsCenter = 0x0800,
                               kDsContextHelp = 0x2000;
inline constexpr std::uint32_t kCbsDropDown = 0x0002, kCbsAutoHScroll = 0x0040;
inline constexpr std::uint32_t kBsPushButton = 0x0000, kBsDefPushButton = 0x0001,
                               kBsGroupBox = 0x0007, kBsCenter = 0x0300, kBsVCenter = 0x0C00,
                               kBsFlat = 0x8000;
inline constexpr std::uint32_t kEsLeft = 0x0000, kEsMultiline = 0x0004, kEsAutoHScroll = 0x0080,
                               kEsNoHideSel = 0x0100, kEsReadOnly = 0x0800, kEsNumber = 0x2000;
inline constexpr std::uint32_t kSsLeft = 0x0000, kSsCenter = 0x0001, kSsBitmap = 0x000E,
                               kSsNoPrefix = 0x0080;
inline constexpr std::uint32_t kExAcceptFiles = 0x00000010, kExClientEdge = 0x00000200,
                               kExStaticEdge = 0x00020000, kExAppWindow = 0x00040000;
}  // namespace style

enum class Kind {
    Picker,  // editable drop-down list; the height includes the dropped list
    Button,
    DefaultButton,
    Edit,         // digits-only entry field
    ReadOnlyBox,  // read-only box, no tab stop
    Label,        // left-aligned static text
    CenteredLabel,
    Frame,    // group frame without caption
    Picture,  // shows bitmap resource number `text` at the bitmap's own pixel size
};

// The system window class of each kind.
enum class WindowClass { Button, Edit, Static, ComboBox };

constexpr WindowClass ClassOf(Kind kind) {
    switch (kind) {
        case Kind::Picker:
            return WindowClass::ComboBox;
        case Kind::Button:
        case Kind::DefaultButton:
        case Kind::Frame:
            return WindowClass::Button;
        case Kind::Edit:
        case Kind::ReadOnlyBox:
            return WindowClass::Edit;
        case Kind::Label:
        case Kind::CenteredLabel:
        case Kind::Picture:
            break;
    }
    return WindowClass::Static;
}

struct Control {
    int id;                 // -1: no identifier
    std::string_view name;  // objectName; the member name where the window has one
    Kind kind;
    std::string_view text;  // caption, or the bitmap resource number of a picture
    int x, y, w, h;         // dialog units, top-left corner in the client area
    std::uint32_t style;    // class styles and WS_TABSTOP/WS_GROUP; WS_CHILD|WS_VISIBLE implied
    std::uint32_t exStyle;
    std::string_view accessible;  // name for screen readers: what the user sees on or beside it
};

struct Size {
    int w, h;
};

struct Dialog {
    std::string_view title;
    Size client;
    std::uint32_t style;
    std::uint32_t exStyle;
    int menu;  // menu resource, 0: none
    std::string_view font;
    int pointSize, weight, charset;
    std::span<const Control> controls;
};

using namespace style;

// Layout 102, the main window.
inline constexpr std::string_view kMainTitle = version::kMainTitle;
inline constexpr Size kMainClient{243, 220};
inline constexpr std::uint32_t kPickerStyle = kCbsDropDown | kCbsAutoHScroll | kVScroll | kTabStop;
inline constexpr std::uint32_t kLabelStyle = kSsLeft | kGroup;
inline constexpr std::uint32_t kOneLineBoxStyle =
    kEsLeft | kEsMultiline | kEsAutoHScroll | kEsNoHideSel | kEsReadOnly;
inline constexpr std::array<Control, 27> kMainControls{{
    {1034, "NumberPicker", Kind::Picker, "", 15, 32, 48, 48, kPickerStyle, 0, "Atom Numarası"},
    {1000, "NamePicker", Kind::Picker, "", 77, 32, 90, 53, kPickerStyle, 0, "Element"},
    // Without automatic scrolling the field stops taking characters when it is full.
    {1001, "SymbolPicker", Kind::Picker, "", 181, 32, 36, 52, kCbsDropDown | kVScroll | kTabStop, 0,
     "Sembol"},
    {1042, "SearchButton", Kind::Button, "ara", 222, 31, 18, 14, kBsPushButton | kBsFlat | kTabStop,
     kExStaticEdge, "ara"},
    {1002, "CountField", Kind::Edit, "", 14, 118, 58, 14,
     kEsLeft | kEsAutoHScroll | kEsNumber | kTabStop, kExClientEdge, "1. Elementin Adedi"},
    {1003, "UndoButton", Kind::Button, "&Geri Al", 3, 146, 42, 15,
     kBsPushButton | kBsCenter | kBsVCenter | kTabStop, 0, "Geri Al"},
    {1004, "AddButton", Kind::Button, "&Ekle", 100, 146, 42, 15,
     kBsPushButton | kBsCenter | kBsVCenter | kTabStop, 0, "Ekle"},
    {1005, "ResetButton", Kind::Button, "&Sıfırla", 198, 145, 42, 15, kBsPushButton | kTabStop, 0,
     "Sıfırla"},
    // Wider than it used to be, so that Tahoma, which stands in for the dialog font under Wine,
    // shows it whole.
    {1006, "NameCaption", Kind::Label, "Element", 109, 19, 30, 8, kLabelStyle, 0, ""},
    {1007, "SymbolCaption", Kind::Label, "Sembol", 184, 19, 35, 9, kLabelStyle, 0, ""},
    {1008, "CountLabel", Kind::Label, "1. Elementin Adedi", 14, 107, 90, 8, kLabelStyle, 0, ""},
    // The information column starts further left than it used to, and the captions of the
    // result boxes are wider, so that every text shows whole in any font: every atomic mass,
    // "1000. Elementin Adedi", and the captions in a monospace font.
    {1011, "ProtonLine", Kind::Label, "", 146, 78, 93, 9, kLabelStyle, 0, ""},
    {1010, "AtomicMassValue", Kind::Label, "", 200, 90, 40, 8, kLabelStyle, 0, ""},
    {-1, "NumberCaption", Kind::Label, "Atom Numarası", 15, 19, 54, 8, kLabelStyle, 0, ""},
    {1036, "PeriodGroupLine", Kind::Label, "", 17, 79, 120, 8, kLabelStyle, 0, ""},
    {1037, "KindLine", Kind::Label, "", 17, 90, 56, 8, kLabelStyle, 0, ""},
    {1026, "ContentsBox", Kind::ReadOnlyBox, "", 62, 186, 178, 14, kOneLineBoxStyle, kExStaticEdge,
     "Zerkan İçeriği"},
    {-1, "ContentsCaption", Kind::Label, "Zerkan İçeriği", 3, 186, 57, 8, kLabelStyle, 0, ""},
    {1028, "MolecularMassBox", Kind::ReadOnlyBox, "", 62, 170, 178, 15,
     kEsLeft | kEsAutoHScroll | kEsReadOnly, kExStaticEdge, "Zerkan Kütlesi"},
    {-1, "MolecularMassCaption", Kind::Label, "Zerkan Kütlesi", 3, 170, 57, 8, kLabelStyle, 0, ""},
    {1030, "FormulaCaption", Kind::Label, "Zerkan Formülü", 3, 202, 57, 8, kLabelStyle, 0, ""},
    {1031, "FormulaBox", Kind::ReadOnlyBox, "", 62, 202, 178, 14, kOneLineBoxStyle, kExStaticEdge,
     "Zerkan Formülü"},
    {1041, "AtomicMassLabel", Kind::Label, "Atom Kütlesi:", 146, 90, 53, 8, kLabelStyle, 0, ""},
    {1047, "SelectionFrame", Kind::Frame, "", 0, 0, 243, 102, kBsGroupBox, 0, "Element seçimi"},
    // Centred on the same point as ever, but wide enough for "1000. Elementi Seçtiniz.".
    {1009, "StepPrompt", Kind::CenteredLabel, "1. Elementi Seçiniz.", 40, 6, 164, 8,
     kSsCenter | kGroup, 0, ""},
    {-1, "CompositionFrame", Kind::Frame, "", 0, 97, 243, 67, kBsGroupBox, 0, "Zerkan oluşturma"},
    {-1, "Picture", Kind::Picture, "132", 187, 102, 55, 34, kSsBitmap, 0, "Periyodik cetvel resmi"},
}};

// An overlapped window with a minimise box, neither resizable nor maximisable, centred.
inline constexpr Dialog kMainDialog{
    kMainTitle,
    kMainClient,
    kCaption | kSysMenu | kMinimizeBox | kVisible | kDsModalFrame | kDsCenter | kDs3dLook |
        kDsSetFont | kDsFixedSys | kDsAbsAlign | kDsContextHelp,
    kExAppWindow | kExAcceptFiles,
    186,
    "MS Shell Dlg",
    8,
    400,
    162,  // Turkish
    kMainControls,
};

// Layout 100, the About box. Its version line stays as the product has always shown it. The
// version and notice lines are wider than they used to be, about the same centres, so that
// the shell's dialog font shows them whole.
inline constexpr std::string_view kAboutTitle = "Zerkan Kütlesi Hakkında";
inline constexpr Size kAboutClient{312, 110};
inline constexpr std::array<Control, 10> kAboutControls{{
    {-1, "Picture", Kind::Picture, "177", 9, 8, 22, 20, kSsBitmap, 0, "Program simgesi"},
    {-1, "VersionLine", Kind::Label, "Zerkan Kütlesi Programı Sürüm 3.0", 92, 9, 122, 8,
     kSsLeft | kSsNoPrefix | kGroup, 0, ""},
    {-1, "CreditLine4", Kind::Label, "Tüm hakları saklıdır.", 93, 89, 119, 8, kLabelStyle, 0, ""},
    {1, "OkButton", Kind::DefaultButton, "OK", 254, 7, 50, 14, kBsDefPushButton | kGroup | kTabStop,
     0, "OK"},
    {-1, "CreditLine1", Kind::Label, "Hazırlayanlar", 122, 20, 66, 8, kLabelStyle, 0, ""},
    {-1, "CreditLine2", Kind::Label, "Zerkan Kütlesi geliştiricileri", 98, 32, 150, 8, kLabelStyle,
     0, ""},
    {-1, "CreditLine3", Kind::Label, "Periyodik cetvel ve zerkan kütlesi hesaplayıcı", 73, 43, 187,
     8, kLabelStyle, 0, ""},
    {-1, "EmptyLine1", Kind::Label, "", 91, 54, 170, 8, kLabelStyle, 0, ""},
    {-1, "EmptyLine2", Kind::Label, "", 33, 77, 246, 8, kLabelStyle, 0, ""},
    {-1, "NoticeLine", Kind::Label, "Bu program işlevi dışında hiçbir özellik barındırmaz.", 65, 66,
     182, 8, kLabelStyle, 0, ""},
}};

// A fixed modal box with a close box and nothing else in its caption.
inline constexpr Dialog kAboutDialog{
    kAboutTitle,
    kAboutClient,
    kPopup | kCaption | kSysMenu | kDsModalFrame | kDsSetFont,
    0,
    0,
    // The shell's dialog font, as in the main window: the MS Sans Serif bitmap font has no ı
    // or ş outside Turkish Windows, so the box would garble its own texts.
    "MS Shell Dlg",
    8,
    0,
    162,
    kAboutControls,
};

// Each kind and the styles of its row tell the same story.
constexpr bool StylesMatchKind(const Control& c) {
    const std::uint32_t low = c.style & 0xFFFF;
    switch (c.kind) {
        case Kind::Picker:
            return (low & 0x3) == kCbsDropDown;
        case Kind::Button:
            return (low & 0xF) == kBsPushButton;
        case Kind::DefaultButton:
            return (low & 0xF) == kBsDefPushButton;
        case Kind::Frame:
            return (low & 0xF) == kBsGroupBox;
        case Kind::Edit:
            return (low & kEsNumber) != 0 && (low & kEsReadOnly) == 0;
        case Kind::ReadOnlyBox:
            return (low & kEsReadOnly) != 0 && (c.style & kTabStop) == 0;
        case Kind::Label:
            return (low & 0x1F) == kSsLeft;
        case Kind::CenteredLabel:
            return (low & 0x1F) == kSsCenter;
        case Kind::Picture:
            return (low & 0x1F) == kSsBitmap;
    }
    return false;
}

constexpr bool AllStylesMatchKinds(std::span<const Control> controls) {
    for (const Control& c : controls) {
        if (!StylesMatchKind(c))
            return false;
    }
    return true;
}
static_assert(AllStylesMatchKinds(kMainControls));
static_assert(AllStylesMatchKinds(kAboutControls));

// The caption that names a control: the left-aligned static text whose text is the control's
// accessible name (the count field's, as the window starts). nullptr for a control that
// names itself by its own text.
constexpr const Control* CaptionOf(std::span<const Control> controls, const Control& control) {
    if (control.kind != Kind::Picker && control.kind != Kind::Edit &&
        control.kind != Kind::ReadOnlyBox)
        return nullptr;
    for (const Control& c : controls) {
        if (c.kind == Kind::Label && !c.text.empty() && c.text == control.accessible)
            return &c;
    }
    return nullptr;
}

// The row of a control identifier in the main window, or nullptr.
constexpr const Control* FindMainControl(int id) {
    for (const Control& c : kMainControls) {
        if (c.id == id)
            return &c;
    }
    return nullptr;
}

}  // namespace zerkan::layout
