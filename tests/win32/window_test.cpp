// The Win32 window on its real controls: start state, the template against the table of
// controls, texts that fit, what the platform's controls enforce, the accept and cancel
// actions, the menus, the About box, the read-me command and the version block.

#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "core/elements.h"
#include "core/selection.h"
#include "core/text.h"
#include "tests/support/win32/window_input.h"
#include "win32/dialogtemplate.h"
#include "win32/resultbox.h"
#include "win32/zerkandlg.h"

using namespace zerkan;
using win32::MainDialog;
using win32::Wide;

namespace {

std::wstring W(const char* utf8) {
    return win32::WideFromUtf8(utf8);
}

class Win32Window : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog.SetReadMeLauncher([this](HWND) { ++readMeStarts; });
        window = dialog.Create();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        test::Pump(window);
    }

    HWND Item(ControlId id) const { return dialog.Item(id); }
    std::wstring TextOf(ControlId id) const { return test::TextOf(Item(id)); }
    void Pump() { test::Pump(window); }
    void CheckWindow(HWND child, const layout::Control& row) const;

    // Chooses an element and types a count, as a user does before pressing Ekle.
    void Compose(int element, const wchar_t* count) {
        test::ChooseFromList(window, Item(ControlId::NamePicker), element);
        test::TypeOver(window, Item(ControlId::CountField), count);
        test::Click(window, Item(ControlId::AddButton));
    }

    CompositionState state;
    MainDialog dialog{state};
    HWND window = nullptr;
    test::BoxCatcher catcher;
    int readMeStarts = 0;
};

TEST_F(Win32Window, StartsWithFullPickersEmptyFieldsAndTheFocusInNumberPicker) {
    for (const ControlId picker :
         {ControlId::NumberPicker, ControlId::NamePicker, ControlId::SymbolPicker}) {
        EXPECT_EQ(SendMessageW(Item(picker), CB_GETCOUNT, 0, 0), 112);
        EXPECT_EQ(SendMessageW(Item(picker), CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(TextOf(picker), L"");
    }
    wchar_t entry[32] = {};
    SendMessageW(Item(ControlId::NamePicker), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"Hidrojen");
    SendMessageW(Item(ControlId::NumberPicker), CB_GETLBTEXT, 111, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ(entry, L"112");
    for (const ControlId id : {ControlId::CountField, ControlId::MolecularMassBox,
                               ControlId::AtomicMassValue, ControlId::ContentsBox})
        EXPECT_EQ(TextOf(id), L"") << static_cast<int>(id);
    EXPECT_EQ(TextOf(ControlId::StepPrompt), W("1. Elementi Seçiniz."));
    EXPECT_EQ(TextOf(ControlId::CountLabel), W("1. Elementin Adedi"));
    EXPECT_FALSE(IsWindowVisible(Item(ControlId::AtomicMassLabel)));
    wchar_t focused[32] = {};
    GetClassNameW(GetFocus(), focused, 32);
    EXPECT_EQ(GetParent(GetFocus()), Item(ControlId::NumberPicker))
        << focused << GetDlgCtrlID(GetFocus());
    EXPECT_EQ(test::TextOf(window), W("Zerkan Kütlesi 3.1"));
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
}

TEST_F(Win32Window, ControlsAreTheTableRowsWithEachCaptionBeforeItsControlOrDrawn) {
    const std::vector<layout::Control> rows = win32::StackingOrder(layout::kMainControls);
    std::size_t drawn = 0;
    // A caption the dialog draws shows in its place, on the screen and in a picture of the
    // window: some of its pixels are not the background.
    RECT client{};
    GetClientRect(window, &client);
    HDC screen = GetDC(window), printed = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    const HGDIOBJ previous = SelectObject(printed, bitmap);
    FillRect(printed, &client, GetSysColorBrush(COLOR_3DFACE));
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(printed), PRF_CLIENT);
    for (const layout::Control& row : layout::kMainControls) {
        if (!win32::DrawnByDialog(layout::kMainControls, row))
            continue;
        ++drawn;
        const RECT place = win32::PlaceOf(window, row);
        for (HDC dc : {screen, printed}) {
            int ink = 0;
            for (int y = place.top; y < place.bottom; ++y) {
                for (int x = place.left; x < place.right; ++x)
                    ink += GetPixel(dc, x, y) != GetSysColor(COLOR_3DFACE) ? 1 : 0;
            }
            EXPECT_GT(ink, 20) << row.name << (dc == printed ? " printed" : " on the screen");
        }
    }
    SelectObject(printed, previous);
    DeleteObject(bitmap);
    DeleteDC(printed);
    ReleaseDC(window, screen);
    EXPECT_EQ(drawn, 6U);
    ASSERT_EQ(rows.size() + drawn, layout::kMainControls.size());
    // The tab stops keep the table's order.
    std::vector<int> tabOrder, tableTabOrder;
    for (const layout::Control& row : rows) {
        if (row.style & WS_TABSTOP)
            tabOrder.push_back(row.id);
    }
    for (const layout::Control& row : layout::kMainControls) {
        if (row.style & WS_TABSTOP)
            tableTabOrder.push_back(row.id);
    }
    EXPECT_EQ(tabOrder, tableTabOrder);
    // The labels without a text of their own are made when first written, in their places;
    // choosing an element writes them all.
    const auto checkWindows = [&](bool allMade) {
        HWND child = GetWindow(window, GW_CHILD);
        for (const layout::Control& row : rows) {
            SCOPED_TRACE(std::string(row.name));
            if (!allMade && win32::MadeWhenWritten(row) &&
                Item(static_cast<ControlId>(row.id)) == nullptr)
                continue;
            ASSERT_NE(child, nullptr);
            CheckWindow(child, row);
            child = GetWindow(child, GW_HWNDNEXT);
        }
        EXPECT_EQ(child, nullptr);
    };
    checkWindows(false);
    test::ChooseFromList(window, Item(ControlId::NamePicker), 5);
    checkWindows(true);
}

// One window of the dialog against its row of the table.
void Win32Window::CheckWindow(HWND child, const layout::Control& row) const {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    const wchar_t* expected[] = {L"Button", L"Edit", L"Static", L"ComboBox"};
    const bool resultBox = row.kind == layout::Kind::ReadOnlyBox;
    EXPECT_EQ(_wcsicmp(cls, resultBox ? win32::kResultBoxClass
                                      : expected[static_cast<int>(layout::ClassOf(row.kind))]),
              0)
        << cls;
    const layout::Control* caption = layout::CaptionOf(layout::kMainControls, row);
    if (caption != nullptr && !win32::DrawnByDialog(layout::kMainControls, *caption)) {
        EXPECT_EQ(test::TextOf(GetWindow(child, GW_HWNDPREV)), win32::WideFromUtf8(caption->text));
    }
    EXPECT_EQ(GetDlgCtrlID(child), row.id);
    auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    // A combo box hands its scroll bar to its list.
    if (row.kind == layout::Kind::Picker)
        style |= WS_VSCROLL & row.style;
    const DWORD hidden = row.id == static_cast<int>(ControlId::AtomicMassLabel) ? 0 : WS_VISIBLE;
    EXPECT_EQ(style & (row.style | WS_CHILD | hidden), row.style | WS_CHILD | hidden);
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & row.exStyle, row.exStyle);
    if (row.kind != layout::Kind::Picture) {  // a picture has no font
        EXPECT_EQ(SendMessageW(child, WM_GETFONT, 0, 0), SendMessageW(window, WM_GETFONT, 0, 0));
    }
    if (win32::MadeWhenWritten(row)) {
        const RECT table = win32::PlaceOf(window, row);
        RECT place{};
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_TRUE(EqualRect(&place, &table));
    }
}

// Whether a control's text, in the control's own font, fits its width on one line.
::testing::AssertionResult Fits(HWND control, std::wstring text) {
    std::erase(text, L'&');
    HDC dc = GetDC(control);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);
    if (size.cx <= client.right && size.cy <= client.bottom)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << size.cx << "x" << size.cy << " in " << client.right << "x" << client.bottom;
}

// The client area's pixels, with the caret hidden so that its blinking does not count.
std::vector<std::uint32_t> Picture(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = client.right;
    info.bmiHeader.biHeight = -client.bottom;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = GetDC(window);
    HDC copy = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    HideCaret(nullptr);
    BitBlt(copy, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ShowCaret(nullptr);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> picture(pixels, pixels + client.right * client.bottom);
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, dc);
    return picture;
}

TEST_F(Win32Window, EachActionLeavesTheWindowAsAFullRepaintDrawsIt) {
    // The window paints only what an action changes, some of it at once and the system's
    // controls once the handler returns: nothing may be left stale or drawn out of place.
    using test::Gesture;
    const Gesture steps[] = {
        Gesture::Choose(ControlId::NamePicker, 7),    Gesture::TypeCount("3"),
        Gesture::Click(ControlId::AddButton),         Gesture::Choose(ControlId::NumberPicker, 0),
        Gesture::Click(ControlId::AddButton),         Gesture::Click(ControlId::UndoButton),
        Gesture::Type(ControlId::SymbolPicker, "Fe"), Gesture::Click(ControlId::SearchButton),
        Gesture::Click(ControlId::ResetButton),
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        test::Apply(dialog, steps[i]);
        Pump();
        const std::vector<std::uint32_t> painted = Picture(window);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump();
        EXPECT_TRUE(painted == Picture(window)) << "after step " << i;
    }
    EXPECT_EQ(state.step, 1);
}

TEST_F(Win32Window, NoTextIsCutUnderTheDialogFont) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        const bool combo = _wcsicmp(cls, L"ComboBox") == 0;
        if (!combo && !test::TextOf(child).empty()) {
            EXPECT_TRUE(Fits(child, test::TextOf(child))) << test::TextOf(child);
        }
    }
    // The About box, built from its table as the About command builds it.
    const win32::DialogTemplate aboutTemplate(layout::kAboutDialog);
    HWND about = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), aboutTemplate.Get(), window,
        [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(about, nullptr);
    for (HWND child = GetWindow(about, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!test::TextOf(child).empty()) {
            EXPECT_TRUE(Fits(child, test::TextOf(child))) << test::TextOf(child);
        }
    }
    DestroyWindow(about);
    // The widest texts the handlers write.
    EXPECT_TRUE(Fits(Item(ControlId::StepPrompt), W("1000. Elementi Seçtiniz.")));
    EXPECT_TRUE(Fits(Item(ControlId::CountLabel), W("1000. Elementin Adedi")));
    for (int index = 0; index < kElementCount; ++index) {
        test::ChooseFromList(window, Item(ControlId::NumberPicker), index);
        ASSERT_EQ(state.selectedIndex, index);
        for (const ControlId id :
             {ControlId::ProtonLine, ControlId::AtomicMassValue, ControlId::PeriodGroupLine,
              ControlId::KindLine, ControlId::AtomicMassLabel}) {
            EXPECT_TRUE(Fits(Item(id), TextOf(id))) << index << ": " << ToUtf8(dialog.GetText(id));
        }
    }
}

TEST_F(Win32Window, SymbolPickerStopsTakingCharactersWhenItsFieldIsFull) {
    const std::wstring typed(20, L'W');
    test::TypeOver(window, Item(ControlId::SymbolPicker), typed);
    const std::wstring shown = TextOf(ControlId::SymbolPicker);
    EXPECT_GT(shown.size(), 0u);
    EXPECT_LT(shown.size(), typed.size());
    // A picker that scrolls takes them all.
    test::TypeOver(window, Item(ControlId::NamePicker), typed);
    EXPECT_EQ(TextOf(ControlId::NamePicker), typed);
}

TEST_F(Win32Window, CountFieldTakesDigitsOnlyAndAtMostNine) {
    test::TypeOver(window, Item(ControlId::CountField), L"a1b2-c3");
    EXPECT_EQ(TextOf(ControlId::CountField), L"123");
    EXPECT_EQ(state.count, 123);
    test::TypeOver(window, Item(ControlId::CountField), L"12345678901");
    EXPECT_EQ(TextOf(ControlId::CountField), L"123456789");
    EXPECT_EQ(state.count, 123456789);
}

TEST_F(Win32Window, EnterRunsTheAcceptCheckAndEndsOnlyWhenEveryValueIsRead) {
    const std::wstring app = win32::ApplicationName();
    struct Case {
        const wchar_t* count;
        bool composed;
        const char* message;  // empty: the window ends
        ControlId focus;
    };
    const Case cases[] = {
        {L"", false, "Lütfen bir tam sayı girin.", ControlId::CountField},
        {L"0", false, "Lütfen 1 ile 2147483647 arasında bir tam sayı girin.",
         ControlId::CountField},
        {L"2", false, "Lütfen bir sayı girin.", ControlId::MolecularMassBox},
        {L"2", true, "", ControlId::CountField},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        if (c.composed)
            Compose(0, L"2");
        test::ChooseFromList(window, Item(ControlId::NumberPicker), 7);
        test::TypeOver(window, Item(ControlId::CountField), c.count);
        catcher.shown.clear();
        test::PressKey(window, VK_RETURN);
        if (*c.message == '\0') {
            EXPECT_TRUE(catcher.shown.empty());
            EXPECT_EQ(dialog.Result(), IDOK);
            EXPECT_FALSE(IsWindowVisible(window));
            continue;
        }
        ASSERT_EQ(catcher.shown.size(), 1u);
        EXPECT_EQ(catcher.shown[0].text, W(c.message));
        EXPECT_EQ(catcher.shown[0].title, app);
        EXPECT_EQ(catcher.shown[0].owner, window);
        EXPECT_TRUE(catcher.shown[0].warningIcon);
        EXPECT_EQ(dialog.Result(), 0);
        EXPECT_EQ(GetFocus(), Item(c.focus));
        const LRESULT selection = SendMessageW(Item(c.focus), EM_GETSEL, 0, 0);
        EXPECT_EQ(LOWORD(selection), 0);
        EXPECT_EQ(HIWORD(selection), TextOf(c.focus).size());
        EXPECT_EQ(state.selectedIndex, 7);
    }
}

TEST_F(Win32Window, EscapeTheCloseBoxAndTheExitCommandCancelWithoutAQuestion) {
    const auto exitCommand = [this] {
        // Dosya > "Çık", as the menu sends it.
        HMENU file = GetSubMenu(GetMenu(window), 0);
        PostMessageW(window, WM_COMMAND, GetMenuItemID(file, 0), 0);
        Pump();
    };
    const std::function<void()> ways[] = {
        [this] { test::PressKey(window, VK_ESCAPE); },
        [this] {
            PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            Pump();
        },
        exitCommand,
    };
    for (const auto& way : ways) {
        CompositionState other;
        MainDialog second(other);
        HWND w = second.Create();
        test::Pump(w);
        test::ChooseFromList(w, second.Item(ControlId::NamePicker), 0);
        test::Click(w, second.Item(ControlId::AddButton));
        ASSERT_EQ(other.step, 2);
        window = w;
        way();
        EXPECT_EQ(second.Result(), IDCANCEL);
        EXPECT_TRUE(catcher.shown.empty());
    }
}

TEST_F(Win32Window, MenusCarryTheirTextsAndCommands) {
    HMENU bar = GetMenu(window);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    const auto itemText = [](HMENU menu, int position) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
        return std::wstring(text);
    };
    EXPECT_EQ(itemText(bar, 0), L"Dosya");
    EXPECT_EQ(itemText(bar, 1), W("Yardım"));
    HMENU file = GetSubMenu(bar, 0), help = GetSubMenu(bar, 1);
    EXPECT_EQ(itemText(file, 0), W("Çık"));
    EXPECT_EQ(GetMenuItemID(file, 0), win32::kAppExitCommand);
    EXPECT_EQ(itemText(help, 0), W("Yardım"));
    EXPECT_EQ(GetMenuItemID(help, 0), win32::kReadMeCommand);
    EXPECT_EQ(itemText(help, 1), W("Hakkında"));
    EXPECT_EQ(GetMenuItemID(help, 1), win32::kAppAboutCommand);

    HMENU system = GetSystemMenu(window, FALSE);
    const int last = GetMenuItemCount(system) - 1;
    EXPECT_EQ(GetMenuItemID(system, last), win32::kAboutSystemCommand);
    EXPECT_EQ(itemText(system, last), L"&About Zerkan...");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof(separator);
    separator.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(system, static_cast<UINT>(last - 1), TRUE, &separator);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

TEST_F(Win32Window, AboutBoxOpensFromTheHelpMenuAndTheSystemMenuAndChangesNothing) {
    Compose(7, L"2");
    const Text contents = state.contentsText;
    const std::pair<UINT, WPARAM> commands[] = {{WM_COMMAND, win32::kAppAboutCommand},
                                                {WM_SYSCOMMAND, win32::kAboutSystemCommand},
                                                {WM_SYSCOMMAND, 0x001F}};
    for (const auto& [message, command] : commands) {
        catcher.shown.clear();
        PostMessageW(window, message, command, 0);
        Pump();
        ASSERT_EQ(catcher.shown.size(), 1u) << command;
        EXPECT_EQ(catcher.shown[0].title, W("Zerkan Kütlesi Hakkında"));
        EXPECT_EQ(catcher.shown[0].owner, window);
        EXPECT_TRUE(IsWindowEnabled(window));
        EXPECT_EQ(state.step, 2);
        EXPECT_EQ(state.contentsText, contents);
    }
}

TEST_F(Win32Window, F1AndTheHelpMenuStartTheReadMe) {
    test::PressHardwareKey(window, VK_F1);
    EXPECT_EQ(readMeStarts, 1);
    PostMessageW(window, WM_COMMAND, win32::kReadMeCommand, 0);
    Pump();
    EXPECT_EQ(readMeStarts, 2);
    EXPECT_EQ(dialog.Result(), 0);
}

TEST_F(Win32Window, DroppedFilesAndTheMinimisedWindowChangeNothing) {
    Compose(0, L"2");
    const Text formula = state.formulaText;
    // An empty drop, as the shell would hand one over.
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + 2 * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    GlobalUnlock(drop);
    PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    Pump();
    EXPECT_EQ(state.formulaText, formula);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_QUERYDRAGICON, 0, 0)),
              reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)));
    EXPECT_NE(SendMessageW(window, WM_GETICON, ICON_BIG, 0), 0);
}

#ifdef ZERKAN_PROGRAM
TEST(Win32Program, VersionBlockReadsBackFromTheExecutable) {
    // Wine reaches the build tree's absolute paths through drive Z:.
    std::wstring path = W(ZERKAN_PROGRAM);
    if (path.starts_with(L'/'))
        path.insert(0, L"Z:");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00030001u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    DWORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    EXPECT_EQ(*translation, MAKELONG(0x041F, 1254));
    const std::pair<const wchar_t*, const char*> strings[] = {
        {L"FileVersion", "3, 1, 0, 1"},
        {L"ProductVersion", "3, 1, 0, 1"},
        {L"ProductName", "Zerkan Kütlesi"},
        {L"InternalName", "Zerkan Kütlesi"},
        {L"OriginalFilename", "Zerkan Kütlesi.EXE"},
        {L"FileDescription", "Periyodik Cetvel ve Zerkan Kütlesi Hesaplayıcı"},
    };
    for (const auto& [key, value] : strings) {
        wchar_t* text = nullptr;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\041F04E6\\") + key;
        ASSERT_TRUE(
            VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length));
        EXPECT_EQ(std::wstring(text), W(value));
    }
}
#endif

}  // namespace
