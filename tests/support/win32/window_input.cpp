#include "tests/support/win32/window_input.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

#include "win32/dialogtemplate.h"
#include "win32/zerkandlg.h"

namespace zerkan::test {
namespace {

// The edit field of a combo box, or the window itself.
HWND EditOf(HWND control) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(control, &info) && info.hwndItem != nullptr)
        return info.hwndItem;
    return control;
}

// Text that no key produces still arrives by pasting.
bool Typable(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

void Paste(HWND dialog, HWND control, std::wstring_view text) {
    const std::wstring terminated(text);
    const std::size_t bytes = (terminated.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return;
    std::memcpy(GlobalLock(memory), terminated.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(dialog)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    HWND edit = EditOf(control);
    Click(dialog, edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
    Pump(dialog);
}

int Caret(HWND box) {
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end);
}

// The standard warning icon sits in the box as an icon static.
bool HasWarningIcon(HWND box) {
    const HICON warning = LoadIconW(nullptr, IDI_WARNING);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        if (icon != nullptr && icon == warning)
            return true;
    }
    return false;
}

BoxCatcher* current = nullptr;

}  // namespace

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

Text FromWide(std::wstring_view text) {
    return FromUtf16(std::u16string(text.begin(), text.end()));
}

void Pump(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PressKey(HWND dialog, UINT vk, bool alt) {
    HWND target = GetFocus();
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM flags = alt ? (1 << 29) : 0;
    PostMessageW(target, down, vk, 1 | flags);
    PostMessageW(target, up, vk, 1 | flags | (1u << 30) | (1u << 31));
    Pump(dialog);
}

void PressHardwareKey(HWND dialog, WORD vk) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = vk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    Pump(dialog);
}

void TypeIntoFocus(HWND dialog, std::wstring_view text) {
    for (const wchar_t c : text) {
        PostMessageW(GetFocus(), WM_CHAR, c, 1);
        Pump(dialog);
    }
}

void Click(HWND dialog, HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
    Pump(dialog);
}

void TypeOver(HWND dialog, HWND control, std::wstring_view text) {
    HWND edit = EditOf(control);
    Click(dialog, edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    if (text.empty() && GetWindowTextLengthW(edit) == 0)
        TypeIntoFocus(dialog, L"x");
    if (GetWindowTextLengthW(edit) > 0) {
        SendMessageW(edit, EM_SETSEL, 0, -1);
        PressKey(dialog, VK_BACK);
    }
    TypeIntoFocus(dialog, text);
}

void ChooseFromList(HWND dialog, HWND combo, int index) {
    Click(dialog, EditOf(combo));
    PressKey(dialog, VK_F4);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    HWND list = info.hwndList;
    RECT client{};
    GetClientRect(list, &client);
    const auto itemHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int visible = itemHeight > 0 ? client.bottom / itemHeight : 1;
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    if (index < top || index >= top + visible) {
        // The scroll box dragged to put the entry at the top, as the scroll bar reports it.
        const int target = std::min(
            index, static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)) - std::max(visible, 1));
        PostMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::max(target, 0)), 0);
        PostMessageW(list, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        Pump(dialog);
    }
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(list, WM_MOUSEMOVE, 0, at);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(list, WM_LBUTTONUP, 0, at);
    Pump(dialog);
}

void Apply(win32::MainDialog& window, const Gesture& gesture) {
    HWND dialog = window.Window();
    HWND control = window.Item(gesture.control);
    switch (gesture.kind) {
        case Gesture::Kind::Choose:
            ChooseFromList(dialog, control, gesture.index);
            if (window.GetSelection(gesture.control) != gesture.index) {
                std::fprintf(stderr, "choosing entry %d of %s failed\n", gesture.index,
                             std::string(ControlName(gesture.control)).c_str());
            }
            break;
        case Gesture::Kind::Type: {
            const std::wstring wide = win32::Wide(gesture.text);
            if (Typable(wide))
                TypeOver(dialog, control, wide);
            else
                Paste(dialog, control, wide);
            break;
        }
        case Gesture::Kind::TypeCount:
            // Typed one key at a time: the field itself drops what is not a digit and stops at
            // its length limit.
            TypeOver(dialog, window.Item(ControlId::CountField), win32::Wide(gesture.text));
            break;
        case Gesture::Kind::Click:
            Click(dialog, control);
            break;
    }
}

WindowView ViewOf(const win32::MainDialog& window) {
    return ReadThroughSurface(window, IsWindowVisible(window.Item(ControlId::AtomicMassLabel)),
                              Caret(window.Item(ControlId::ContentsBox)),
                              Caret(window.Item(ControlId::FormulaBox)));
}

BoxCatcher::BoxCatcher() {
    current = this;
    hook_ = SetWindowsHookExW(WH_CBT, &BoxCatcher::Hook, nullptr, GetCurrentThreadId());
}

BoxCatcher::~BoxCatcher() {
    UnhookWindowsHookEx(hook_);
    current = nullptr;
}

std::vector<Text> BoxCatcher::TakeTexts() {
    std::vector<Text> texts;
    for (const ShownBox& box : std::exchange(shown, {}))
        texts.push_back(FromWide(box.text));
    return texts;
}

LRESULT CALLBACK BoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current != nullptr) {
        HWND box = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(box, cls, 16);
        // Boxes have an owner; main windows have none.
        if (GetWindow(box, GW_OWNER) != nullptr && std::wstring_view(cls) == L"#32770" &&
            !current->Seen(box)) {
            // The message text of a message box is the static with identifier 0xFFFF.
            HWND message = GetDlgItem(box, 0xFFFF);
            current->shown.push_back({TextOf(box),
                                      message != nullptr ? TextOf(message) : std::wstring(),
                                      GetWindow(box, GW_OWNER), HasWarningIcon(box)});
            current->answered_.push_back(box);
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
            PostMessageW(box, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool BoxCatcher::Seen(HWND box) const {
    for (HWND b : answered_) {
        if (b == box && IsWindow(b))
            return true;
    }
    return false;
}

}  // namespace zerkan::test
