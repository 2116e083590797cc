#pragma once

// The read-only one-line result boxes: the molar mass, and the contents list and the formula,
// texts that grow to tens of thousands of characters. It answers the messages an edit control
// answers for what it shows (WM_SETTEXT, WM_GETTEXT, EM_SETSEL, EM_GETSEL, EM_SCROLLCARET, WM_COPY,
// WM_SETFONT) and behaves like a read-only edit: the caret, selecting by mouse and keyboard,
// copying, a context menu. It keeps the whole text but measures and paints only the part in view,
// so setting a text, moving the caret and painting cost what the box shows, not what it holds;
// Wine's edit control lays its whole line out again on every change. A change that shows is
// painted at once, as a static text paints its new text. Without ES_MULTILINE it has a
// one-line edit's margins and takes Tab as a dialog control does.
//
// The view is pinned to the character at the left edge of the text area. As in an edit
// control, it moves only when the caret leaves the area: then by a third of the area's width,
// but never so far that the end of the text stops short of the right edge.

#include <windows.h>

namespace zerkan::win32 {

inline constexpr wchar_t kResultBoxClass[] = L"ZerkanResultBox";

// Registers the window class once per process; dialog templates name it by kResultBoxClass.
void RegisterResultBoxClass();

}  // namespace zerkan::win32
