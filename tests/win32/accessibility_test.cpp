// What a Windows screen reader hears: every control of the main window read through oleacc
// (the MSAA client side), at the start and with H2O composed and carbon chosen. A control is
// named by its own caption, never by another's; the result boxes are read-only and give their
// texts as values; the pickers keep their captions' names whatever they hold.

#include <oleacc.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/controls.h"
#include "tests/support/win32/window_input.h"
#include "win32/dialogtemplate.h"
#include "win32/zerkandlg.h"

using namespace zerkan;

namespace {

std::wstring W(std::string_view utf8) {
    return win32::WideFromUtf8(utf8);
}

// One control as oleacc gives it.
struct Heard {
    std::optional<std::wstring> name, value, shortcut;
    long role = 0, state = 0;
};

std::optional<std::wstring> Take(HRESULT result, BSTR text) {
    std::optional<std::wstring> taken;
    if (result == S_OK && text != nullptr)
        taken = std::wstring(text, SysStringLen(text));
    SysFreeString(text);
    return taken;
}

Heard Hear(HWND control) {
    Heard heard;
    IAccessible* object = nullptr;
    // By __uuidof: MinGW's import library takes IID_IAccessible for a function of oleacc.dll.
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))) ||
        object == nullptr) {
        ADD_FAILURE() << "no accessible object for control " << GetDlgCtrlID(control);
        return heard;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    // Each text is asked for on its own line: the BSTR must be read after the call fills it.
    BSTR text = nullptr;
    HRESULT result = object->get_accName(self, &text);
    heard.name = Take(result, text);
    text = nullptr;
    result = object->get_accValue(self, &text);
    heard.value = Take(result, text);
    text = nullptr;
    result = object->get_accKeyboardShortcut(self, &text);
    heard.shortcut = Take(result, text);
    VARIANT answer{};
    if (SUCCEEDED(object->get_accRole(self, &answer)) && answer.vt == VT_I4)
        heard.role = answer.lVal;
    answer = {};
    if (SUCCEEDED(object->get_accState(self, &answer)) && answer.vt == VT_I4)
        heard.state = answer.lVal;
    object->Release();
    return heard;
}

// What a control must say; an empty optional is not checked.
struct Expected {
    const char* member;  // the table's name for the control
    const char* name;    // nullptr: no name
    std::optional<const char*> value = std::nullopt;
    bool readOnly = false;
    const char* shortcut = nullptr;
    long role = 0;
};

class Win32Accessibility : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        window = dialog.Create();
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        test::Pump(window);
    }
    void TearDown() override { CoUninitialize(); }

    // The window of a table row, by its member name: the picture has no identifier.
    HWND Find(std::string_view member) const {
        const std::vector<layout::Control> order = win32::StackingOrder(layout::kMainControls);
        HWND child = GetWindow(window, GW_CHILD);
        for (const layout::Control& row : order) {
            if (win32::MadeWhenWritten(row) &&
                dialog.Item(static_cast<ControlId>(row.id)) == nullptr)
                continue;  // not made yet
            if (row.name == member)
                return child;
            child = GetWindow(child, GW_HWNDNEXT);
        }
        return nullptr;
    }

    void Check(const std::vector<Expected>& expected) {
        for (const Expected& e : expected) {
            SCOPED_TRACE(e.member);
            HWND control = Find(e.member);
            ASSERT_NE(control, nullptr);
            const Heard heard = Hear(control);
            if (e.name == nullptr) {
                EXPECT_TRUE(!heard.name || heard.name->empty()) << test::FromWide(*heard.name);
            } else {
                EXPECT_EQ(heard.name.value_or(L"(none)"), W(e.name));
            }
            if (e.value) {
                EXPECT_EQ(heard.value.value_or(L"(none)"), W(*e.value));
            }
            EXPECT_EQ((heard.state & STATE_SYSTEM_READONLY) != 0, e.readOnly);
            if (e.shortcut != nullptr) {
                EXPECT_EQ(heard.shortcut.value_or(L"(none)"), W(e.shortcut));
            }
            if (e.role != 0) {
                EXPECT_EQ(heard.role, e.role);
            }
        }
    }

    CompositionState state;
    win32::MainDialog dialog{state};
    HWND window = nullptr;
    test::BoxCatcher catcher;
};

// The controls whose names do not change as the molecule grows.
std::vector<Expected> FixedNames() {
    return {
        {"SearchButton", "ara"},
        {"UndoButton", "Geri Al", std::nullopt, false, "Alt+G"},
        {"AddButton", "Ekle", std::nullopt, false, "Alt+E"},
        {"ResetButton", "Sıfırla", std::nullopt, false, "Alt+S"},
        {"Picture", "Periyodik cetvel resmi", std::nullopt, true, nullptr, ROLE_SYSTEM_GRAPHIC},
    };
}

TEST_F(Win32Accessibility, EveryControlIsNamedByItsOwnCaptionAtTheStart) {
    std::vector<Expected> expected = {
        {"NumberPicker", "Atom Numarası", "", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"NamePicker", "Element", "", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"SymbolPicker", "Sembol", "", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"CountField", "1. Elementin Adedi", "", false, nullptr, ROLE_SYSTEM_TEXT},
        {"MolecularMassBox", "Zerkan Kütlesi", "", true, nullptr, ROLE_SYSTEM_TEXT},
        {"ContentsBox", "Zerkan İçeriği", "", true, nullptr, ROLE_SYSTEM_TEXT},
        {"FormulaBox", "Zerkan Formülü", "", true, nullptr, ROLE_SYSTEM_TEXT},
        {"StepPrompt", "1. Elementi Seçiniz."},
    };
    for (const Expected& e : FixedNames())
        expected.push_back(e);
    Check(expected);
}

TEST_F(Win32Accessibility, NamesStayAndValuesFollowWithH2OComposedAndCarbonChosen) {
    for (const auto& [element, count] : {std::pair{0, L"2"}, std::pair{7, L"1"}}) {
        test::ChooseFromList(window, dialog.Item(ControlId::NamePicker), element);
        test::TypeOver(window, dialog.Item(ControlId::CountField), count);
        test::Click(window, dialog.Item(ControlId::AddButton));
    }
    test::ChooseFromList(window, dialog.Item(ControlId::NamePicker), 5);
    ASSERT_EQ(state.selectedIndex, 5);
    std::vector<Expected> expected = {
        {"NumberPicker", "Atom Numarası", "6", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"NamePicker", "Element", "Karbon", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"SymbolPicker", "Sembol", "C", false, nullptr, ROLE_SYSTEM_COMBOBOX},
        {"CountField", "3. Elementin Adedi", "", false, nullptr, ROLE_SYSTEM_TEXT},
        {"MolecularMassBox", "Zerkan Kütlesi", "18.01528", true, nullptr, ROLE_SYSTEM_TEXT},
        {"ContentsBox", "Zerkan İçeriği", "2 Hidrojen, 1 Oksijen ", true, nullptr,
         ROLE_SYSTEM_TEXT},
        {"FormulaBox", "Zerkan Formülü", "H2O", true, nullptr, ROLE_SYSTEM_TEXT},
        // The kind line names itself; it is no caption of the box below it.
        {"KindLine", "Ametal"},
        {"StepPrompt", "3. Elementi Seçtiniz."},
    };
    for (const Expected& e : FixedNames())
        expected.push_back(e);
    Check(expected);
}

}  // namespace

namespace {

// Windows' own object for a button is a push button. Wine's oleacc has objects for no window
// class but edits and static texts: its buttons are plain clients (role 10), which nothing in
// the program can change, so under Wine this case is marked as Wine's instead of passing.
TEST_F(Win32Accessibility, ButtonsArePushButtons) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr &&
        Hear(Find("AddButton")).role == ROLE_SYSTEM_CLIENT) {
        GTEST_SKIP() << "Wine's: oleacc under Wine gives buttons the client role";
    }
    for (const char* button : {"SearchButton", "UndoButton", "AddButton", "ResetButton"})
        EXPECT_EQ(Hear(Find(button)).role, ROLE_SYSTEM_PUSHBUTTON) << button;
}

}  // namespace
