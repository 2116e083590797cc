#pragma once

// What the Win32 window tests and the scenario runner do as a user would: keys and characters
// arriving through the thread's message queue, so that the dialog manager and the controls
// handle them exactly as they handle a keyboard's; clicks on buttons; choosing from an opened
// list; and message boxes read and answered with Enter as soon as they show.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace zerkan::test {

// Runs everything queued for this thread as the modal loop would, dialog keys included.
inline void Pump(HWND dialog) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog != nullptr && IsWindow(dialog) && IsDialogMessageW(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline HWND Focus() {
    return GetFocus();
}

// A key pressed and released on the focused window; `alt` holds Alt down meanwhile.
inline void PressKey(HWND dialog, UINT vk, bool alt = false) {
    HWND target = Focus();
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    const LPARAM flags = alt ? (1 << 29) : 0;
    PostMessageW(target, down, vk, 1 | flags);
    PostMessageW(target, up, vk, 1 | flags | (1u << 30) | (1u << 31));
    Pump(dialog);
}

// Characters typed one by one into the focused window, each as the character message that a
// keyboard's key produces.
inline void TypeIntoFocus(HWND dialog, std::wstring_view text) {
    for (const wchar_t c : text) {
        PostMessageW(Focus(), WM_CHAR, c, 1);
        Pump(dialog);
    }
}

inline void Click(HWND dialog, HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(control, WM_LBUTTONUP, 0, at);
    Pump(dialog);
}

// The edit field of a combo box, or the window itself.
inline HWND EditOf(HWND control) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(control, &info) && info.hwndItem != nullptr)
        return info.hwndItem;
    return control;
}

// Clicks into the field, selects its whole text, erases it and types the new one. An empty
// text is still an edit: a character is typed and erased when the field is empty.
inline void TypeOver(HWND dialog, HWND control, std::wstring_view text) {
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

// Focuses the picker, opens its list with F4, turns the mouse wheel over the list until the
// entry is in view and clicks it, so that the combo box itself reports the choice.
inline void ChooseFromList(HWND dialog, HWND combo, int index) {
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
    for (int turns = 0; turns < 200; ++turns) {
        const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        if (index >= top && index < top + visible)
            break;
        POINT centre{client.right / 2, client.bottom / 2};
        ClientToScreen(list, &centre);
        const short delta = index < top ? WHEEL_DELTA : -WHEEL_DELTA;
        PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)),
                     MAKELPARAM(centre.x, centre.y));
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

// A key as the keyboard itself delivers it, through the system's input queue; only such a key
// makes the system ask for help on F1.
inline void PressHardwareKey(HWND dialog, WORD vk) {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = vk;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
    Pump(dialog);
}

struct ShownBox {
    std::wstring title;
    std::wstring text;  // a message box's message; empty for another dialog
    HWND owner = nullptr;
    bool warningIcon = false;
};

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Watches every owned dialog box that this thread activates (message boxes, the About box), keeps
// what it showed and answers it with Enter, as a user reading it would.
class BoxCatcher {
  public:
    BoxCatcher() {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CBT, &BoxCatcher::Hook, nullptr, GetCurrentThreadId());
    }
    ~BoxCatcher() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    std::vector<ShownBox> shown;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_ACTIVATE && current_ != nullptr) {
            HWND box = reinterpret_cast<HWND>(wParam);
            wchar_t cls[16] = {};
            GetClassNameW(box, cls, 16);
            // Boxes have an owner; main windows have none.
            if (GetWindow(box, GW_OWNER) != nullptr && std::wstring_view(cls) == L"#32770" &&
                !current_->Seen(box)) {
                // The message text of a message box is the static with identifier 0xFFFF.
                HWND message = GetDlgItem(box, 0xFFFF);
                current_->shown.push_back({TextOf(box),
                                           message != nullptr ? TextOf(message) : std::wstring(),
                                           GetWindow(box, GW_OWNER), FindIcon(box)});
                current_->answered_.push_back(box);
                PostMessageW(box, WM_KEYDOWN, VK_RETURN, 1);
                PostMessageW(box, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    bool Seen(HWND box) const {
        for (HWND b : answered_) {
            if (b == box && IsWindow(b))
                return true;
        }
        return false;
    }

    // The standard warning icon sits in the box as an icon static.
    static bool FindIcon(HWND box) {
        const HICON warning = LoadIconW(nullptr, IDI_WARNING);
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const auto icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
            if (icon != nullptr && icon == warning)
                return true;
        }
        return false;
    }

    inline static BoxCatcher* current_ = nullptr;
    HHOOK hook_ = nullptr;
    std::vector<HWND> answered_;
};

}  // namespace zerkan::test
