// The contents and formula boxes on the real window, with a molecule longer than the box: the
// end in view after an Add, the whole text readable, selection by keyboard and mouse, copying
// by key and by the context menu, and no typing.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/controls.h"
#include "tests/support/win32/window_input.h"
#include "win32/zerkandlg.h"

using namespace zerkan;

namespace {

class Win32ResultBox : public ::testing::Test {
  protected:
    void SetUp() override {
        window = dialog.Create();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        test::Pump(window);
        // Twelve of the longest entries: far wider than the box.
        for (int i = 0; i < 12; ++i) {
            test::ChooseFromList(window, dialog.Item(ControlId::NamePicker), 108);
            test::TypeOver(window, dialog.Item(ControlId::CountField), L"999999999");
            test::Click(window, dialog.Item(ControlId::AddButton));
        }
        ASSERT_EQ(state.step, 13);
        shown = test::TextOf(Box());
    }

    HWND Box() const { return dialog.Item(ControlId::ContentsBox); }
    std::pair<DWORD, DWORD> Selection() const {
        DWORD start = 0, end = 0;
        SendMessageW(Box(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    int XOf(std::size_t position) const {
        return static_cast<short>(LOWORD(SendMessageW(Box(), EM_POSFROMCHAR, position, 0)));
    }
    std::wstring Clipboard() const {
        std::wstring text;
        if (!OpenClipboard(window))
            return text;
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const wchar_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    void Key(UINT vk, bool shift = false, bool control = false) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        test::PressKey(window, vk);
        keys[VK_SHIFT] = keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }

    CompositionState state;
    win32::MainDialog dialog{state};
    HWND window = nullptr;
    test::BoxCatcher catcher;
    std::wstring shown;
};

TEST_F(Win32ResultBox, ShowsTheEndAfterAnAddAndHoldsTheWholeText) {
    EXPECT_EQ(shown.size(), 12 * std::wstring(L"999999999 Meitneryum/Unnilennyum, ").size() - 1);
    EXPECT_TRUE(shown.ends_with(L"999999999 Meitneryum/Unnilennyum "));
    RECT client{};
    GetClientRect(Box(), &client);
    // The caret at the end is in view, the start scrolled out to the left.
    EXPECT_EQ(Selection(), std::make_pair(DWORD(shown.size()), DWORD(shown.size())));
    EXPECT_GT(XOf(shown.size()), 0);
    EXPECT_LE(XOf(shown.size()), client.right);
    EXPECT_LT(XOf(0), 0);
    // Undo sets the text anew, as the record spells it: the caret and the view at the start.
    test::Click(window, dialog.Item(ControlId::UndoButton));
    EXPECT_EQ(test::TextOf(Box()), shown.substr(0, shown.size() + 1 - 34));
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(0)));
    EXPECT_GE(XOf(0), 0);
    EXPECT_LT(XOf(0), 10);
}

TEST_F(Win32ResultBox, SelectsAndCopiesByKeyboardAndTakesNoTyping) {
    test::Click(window, Box());
    ASSERT_EQ(GetFocus(), Box());
    Key(VK_END);
    Key(VK_HOME, true);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(shown.size())));
    PostMessageW(Box(), WM_CHAR, 0x03, 1);  // Ctrl+C
    test::Pump(window);
    EXPECT_EQ(Clipboard(), shown);
    // Word by word from the start: "999999999 " then "Meitneryum/Unnilennyum, ".
    Key(VK_HOME);
    Key(VK_RIGHT, true, true);
    Key(VK_RIGHT, true, true);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(34)));
    test::TypeIntoFocus(window, L"x\b");
    EXPECT_EQ(test::TextOf(Box()), shown);
    PostMessageW(Box(), WM_CHAR, 0x01, 1);  // Ctrl+A
    test::Pump(window);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(shown.size())));
}

TEST_F(Win32ResultBox, SelectsByMouseAndCopiesFromItsMenu) {
    // A double click selects the word under it with the space after it.
    test::Click(window, Box());
    SendMessageW(Box(), EM_SETSEL, 0, 0);
    SendMessageW(Box(), EM_SCROLLCARET, 0, 0);
    const LPARAM atStart = MAKELPARAM(XOf(2), 5);
    PostMessageW(Box(), WM_LBUTTONDBLCLK, MK_LBUTTON, atStart);
    PostMessageW(Box(), WM_LBUTTONUP, 0, atStart);
    test::Pump(window);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(10)));
    // Dragging from the first character to the fourth.
    PostMessageW(Box(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(XOf(0) + 1, 5));
    PostMessageW(Box(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(XOf(4), 5));
    PostMessageW(Box(), WM_LBUTTONUP, 0, MAKELPARAM(XOf(4), 5));
    test::Pump(window);
    EXPECT_EQ(Selection(), std::make_pair(DWORD(0), DWORD(4)));
    // The menu from the keyboard: its first item copies. Should the keys not reach the menu, it
    // is closed after two seconds rather than left waiting.
    SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        EndMenu();
    });
    PostMessageW(Box(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageW(Box(), WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(Box(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Box()), -1);
    test::Pump(window);
    EXPECT_EQ(Clipboard(), L"9999");
}

}  // namespace
