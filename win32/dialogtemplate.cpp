#include "win32/dialogtemplate.h"

#include <algorithm>
#include <charconv>

#include "core/text.h"
#include "win32/resultbox.h"

namespace zerkan::win32 {

// The table holds the system's style values by number; they must be the system's own.
namespace s = layout::style;
static_assert(s::kPopup == WS_POPUP && s::kVisible == WS_VISIBLE && s::kCaption == WS_CAPTION &&
              s::kVScroll == WS_VSCROLL && s::kSysMenu == WS_SYSMENU && s::kGroup == WS_GROUP &&
              s::kMinimizeBox == WS_MINIMIZEBOX && s::kTabStop == WS_TABSTOP);
static_assert(s::kDsAbsAlign == DS_ABSALIGN && s::kDs3dLook == DS_3DLOOK &&
              s::kDsFixedSys == DS_FIXEDSYS && s::kDsSetFont == DS_SETFONT &&
              s::kDsModalFrame == DS_MODALFRAME && s::kDsCenter == DS_CENTER &&
              s::kDsContextHelp == DS_CONTEXTHELP);
static_assert(s::kCbsDropDown == CBS_DROPDOWN && s::kCbsAutoHScroll == CBS_AUTOHSCROLL);
static_assert(s::kBsPushButton == BS_PUSHBUTTON && s::kBsDefPushButton == BS_DEFPUSHBUTTON &&
              s::kBsGroupBox == BS_GROUPBOX && s::kBsCenter == BS_CENTER &&
              s::kBsVCenter == BS_VCENTER && s::kBsFlat == BS_FLAT);
static_assert(s::kEsLeft == ES_LEFT && s::kEsMultiline == ES_MULTILINE &&
              s::kEsAutoHScroll == ES_AUTOHSCROLL && s::kEsNoHideSel == ES_NOHIDESEL &&
              s::kEsReadOnly == ES_READONLY && s::kEsNumber == ES_NUMBER);
static_assert(s::kSsLeft == SS_LEFT && s::kSsCenter == SS_CENTER && s::kSsBitmap == SS_BITMAP &&
              s::kSsNoPrefix == SS_NOPREFIX);
static_assert(s::kExAcceptFiles == WS_EX_ACCEPTFILES && s::kExClientEdge == WS_EX_CLIENTEDGE &&
              s::kExStaticEdge == WS_EX_STATICEDGE && s::kExAppWindow == WS_EX_APPWINDOW);

namespace {

// The predefined classes by their atoms.
WORD ClassAtom(layout::Kind kind) {
    switch (layout::ClassOf(kind)) {
        case layout::WindowClass::Button:
            return 0x0080;
        case layout::WindowClass::Edit:
            return 0x0081;
        case layout::WindowClass::Static:
            return 0x0082;
        case layout::WindowClass::ComboBox:
            return 0x0085;
    }
    return 0x0082;
}

}  // namespace

bool DrawnByDialog(std::span<const layout::Control> controls, const layout::Control& label) {
    return std::any_of(controls.begin(), controls.end(), [&](const layout::Control& c) {
        return (c.kind == layout::Kind::Picker || c.kind == layout::Kind::ReadOnlyBox) &&
               layout::CaptionOf(controls, c) == &label;
    });
}

std::vector<layout::Control> StackingOrder(std::span<const layout::Control> controls) {
    std::vector<layout::Control> order;
    order.reserve(controls.size());
    for (const layout::Control& c : controls) {
        bool isCaption = false;
        for (const layout::Control& other : controls)
            isCaption = isCaption || layout::CaptionOf(controls, other) == &c;
        if (isCaption)
            continue;  // placed with its control
        if (const layout::Control* caption = layout::CaptionOf(controls, c)) {
            if (!DrawnByDialog(controls, *caption))
                order.push_back(*caption);
            order.push_back(c);
            // The control starts a group, as its caption does, so that arrow keys among the
            // buttons never land on it.
            if (caption->style & WS_GROUP)
                order.back().style |= WS_GROUP;
        } else {
            order.push_back(c);
        }
    }
    return order;
}

RECT PlaceOf(HWND dialog, const layout::Control& row) {
    RECT place{row.x, row.y, row.x + row.w, row.y + row.h};
    MapDialogRect(dialog, &place);
    return place;
}

std::wstring WideFromUtf8(std::string_view utf8) {
    return Wide(FromUtf8(utf8));
}

std::wstring Wide(std::string_view text) {
    const std::u16string units = ToUtf16(text);
    return std::wstring(units.begin(), units.end());
}

void DialogTemplate::Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
}

void DialogTemplate::Text(std::string_view utf8) {
    for (wchar_t c : WideFromUtf8(utf8))
        Word(static_cast<WORD>(c));
    Word(0);
}

void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0)
        Word(0);
}

DialogTemplate::DialogTemplate(const layout::Dialog& dialog) {
    RegisterResultBoxClass();
    words_.reserve(1024);
    Word(1);       // dlgVer
    Word(0xFFFF);  // signature: the extended form
    Dword(0);      // helpID
    Dword(dialog.exStyle);
    Dword(dialog.style);
    std::vector<layout::Control> windows = StackingOrder(dialog.controls);
    std::erase_if(windows, MadeWhenWritten);
    Word(static_cast<WORD>(windows.size()));
    Word(0);  // x, y: DS_CENTER places the window
    Word(0);
    Word(static_cast<WORD>(dialog.client.w));
    Word(static_cast<WORD>(dialog.client.h));
    if (dialog.menu != 0) {
        Word(0xFFFF);
        Word(static_cast<WORD>(dialog.menu));
    } else {
        Word(0);
    }
    Word(0);  // the dialog manager's own window class
    Text(dialog.title);
    Word(static_cast<WORD>(dialog.pointSize));
    Word(static_cast<WORD>(dialog.weight));
    Word(static_cast<WORD>(dialog.charset << 8));  // italic = 0, then the character set
    Text(dialog.font);

    for (const layout::Control& c : windows) {
        AlignToDword();
        Dword(0);  // helpID
        Dword(c.exStyle);
        Dword(WS_CHILD | WS_VISIBLE | c.style);
        Word(static_cast<WORD>(c.x));
        Word(static_cast<WORD>(c.y));
        Word(static_cast<WORD>(c.w));
        Word(static_cast<WORD>(c.h));
        Dword(static_cast<DWORD>(c.id));
        if (c.kind == layout::Kind::ReadOnlyBox) {
            // Our own box: the contents and the formula grow without bound, and all three
            // result boxes paint at once, like the static texts around them.
            for (const wchar_t* p = kResultBoxClass; *p != L'\0'; ++p)
                Word(static_cast<WORD>(*p));
            Word(0);
        } else {
            Word(0xFFFF);
            Word(ClassAtom(c.kind));
        }
        if (c.kind == layout::Kind::Picture) {
            // The bitmap resource by its number.
            int resource = 0;
            std::from_chars(c.text.data(), c.text.data() + c.text.size(), resource);
            Word(0xFFFF);
            Word(static_cast<WORD>(resource));
        } else {
            Text(c.text);
        }
        Word(0);  // no creation data
    }
}

}  // namespace zerkan::win32
