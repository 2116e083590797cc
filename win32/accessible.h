#pragma once

// Names for screen readers that the system's own accessible objects (oleacc) do not give. The
// pickers and the result boxes answer WM_GETOBJECT themselves with the system's object for
// their window, named from the table of controls whatever they hold and giving their text as
// the value: oleacc has no combo-box object under Wine, the result boxes are a window class of
// ours, and the dialog draws their captions. The picture is named by what it shows.
//
// oleacc and oleaut32 are loaded when a client first asks, so that a start without a screen
// reader never loads them.

#include <windows.h>

#include <string>

namespace zerkan::win32 {

enum class AccessibleKind {
    Picker,     // a combo box: role, name from the table, value its edit text
    ResultBox,  // read-only text: name from the table, value its text
    Picture,    // a graphic named by what it shows
};

// The answer to WM_GETOBJECT(OBJID_CLIENT) for `control`, or 0 when oleacc is not available.
// Without `name`, the control is named by the main window's table, by its identifier.
LRESULT AnswerAccessibleObject(HWND control, WPARAM flags, AccessibleKind kind,
                               const std::wstring& name = {});

// Has `control` answer WM_GETOBJECT as above from now on.
void GiveAccessibleObject(HWND control, AccessibleKind kind, std::wstring name = {});

}  // namespace zerkan::win32
