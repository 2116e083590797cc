// The Windows floor: a bare Win32 dialog with the program's three pickers (drop-down combo
// boxes with the same 112 texts each), built from an in-memory template in the same dialog font.
// It runs until it is closed; the start-up runner closes it at its first idle moment.
//
// Built with ZERKAN_SAME_DIALOG, it is the second floor: the program's own dialog, from the
// same table and template, with the lists filled and nothing else of the program (no handler,
// icon, system-menu entry or accessible object). Against it the program's start-up shows
// what its own work costs, apart from what the system spends on the window's controls.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/surface.h"
#include "core/text.h"
#ifdef ZERKAN_SAME_DIALOG
#include "core/controls.h"
#include "win32/dialogtemplate.h"
#endif

namespace {

constexpr zerkan::ControlId kPickers[] = {zerkan::ControlId::NumberPicker,
                                          zerkan::ControlId::NamePicker,
                                          zerkan::ControlId::SymbolPicker};

std::wstring Wide(const zerkan::Text& text) {
    const std::string utf8 = zerkan::ToUtf8(text);
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

// A DLGTEMPLATE and its items, laid out as the dialog manager reads them.
class TemplateWriter {
  public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void String(const wchar_t* text) {
        for (; *text != L'\0'; ++text)
            Word(static_cast<WORD>(*text));
        Word(0);
    }
    void AlignDword() {
        if (words_.size() % 2 != 0)
            Word(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            for (const auto picker : kPickers) {
                const HWND combo = GetDlgItem(dialog, static_cast<int>(picker));
                for (int i = 0; i < 112; ++i) {
                    const std::wstring entry = Wide(zerkan::PickerEntryText(picker, i));
                    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
                }
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, 0);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
#ifdef ZERKAN_SAME_DIALOG
    const zerkan::win32::DialogTemplate same(zerkan::layout::kMainDialog);
    DialogBoxIndirectParamW(instance, same.Get(), nullptr, DialogProc, 0);
#else
    TemplateWriter dialog;
    dialog.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME | DS_CENTER);
    dialog.Dword(0);  // extended style
    dialog.Word(3);   // items
    dialog.Word(0);   // x, y, cx, cy
    dialog.Word(0);
    dialog.Word(243);
    dialog.Word(220);
    dialog.Word(0);  // no menu
    dialog.Word(0);  // the dialog class
    dialog.String(L"Taban");
    dialog.Word(8);
    dialog.String(L"MS Shell Dlg");
    short y = 10;
    for (const auto picker : kPickers) {
        dialog.AlignDword();
        dialog.Dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN);
        dialog.Dword(0);
        dialog.Word(10);
        dialog.Word(static_cast<WORD>(y));
        dialog.Word(100);
        dialog.Word(120);
        dialog.Word(static_cast<WORD>(picker));
        dialog.Word(0xFFFF);  // predefined class: combo box
        dialog.Word(0x0085);
        dialog.Word(0);  // no title
        dialog.Word(0);  // no creation data
        y = static_cast<short>(y + 20);
    }
    DialogBoxIndirectParamW(instance, dialog.Get(), nullptr, DialogProc, 0);
#endif
    return 0;
}
