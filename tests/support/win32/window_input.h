#pragma once

// The real Win32 window driven as a user drives it: gestures (gesture.h) as the key, character
// and mouse messages a keyboard and mouse produce, arriving through the thread's message queue
// so that the dialog manager and the controls handle them exactly as they handle real input;
// message boxes read and answered with Enter as soon as they show.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/text.h"
#include "tests/support/gesture.h"
#include "tests/support/window_view.h"

namespace zerkan::win32 {
class MainDialog;
}

namespace zerkan::test {

// A window's text, and the window's wide texts in Windows-1254.
std::wstring TextOf(HWND window);
Text FromWide(std::wstring_view text);

// Runs everything queued for this thread as the modal loop would, dialog keys included.
void Pump(HWND dialog);
// A key pressed and released on the focused window; `alt` holds Alt down meanwhile.
void PressKey(HWND dialog, UINT vk, bool alt = false);
// A key as the keyboard itself delivers it, through the system's input queue; only such a key
// makes the system ask for help on F1.
void PressHardwareKey(HWND dialog, WORD vk);
// Characters typed one by one into the focused window, each as the character message that a
// keyboard's key produces.
void TypeIntoFocus(HWND dialog, std::wstring_view text);
void Click(HWND dialog, HWND control);
// Clicks into the field, selects its whole text, erases it and types the new one. An empty
// text is still an edit: a character is typed and erased when the field is empty.
void TypeOver(HWND dialog, HWND control, std::wstring_view text);
// Focuses the picker, opens its list with F4, drags the list's scroll box until the entry is
// in view and clicks it, so that the combo box itself reports the choice.
void ChooseFromList(HWND dialog, HWND combo, int index);

// Runs the gesture by real input: a choice through the opened list, typing by keys (text that
// no key produces is pasted into a picker; the count field ignores it), a click by the mouse.
void Apply(win32::MainDialog& window, const Gesture& gesture);
// What the window shows, read through its surface plus the label's visibility and the carets.
WindowView ViewOf(const win32::MainDialog& window);

struct ShownBox {
    std::wstring title;
    std::wstring text;  // a message box's message; empty for another dialog
    HWND owner = nullptr;
    bool warningIcon = false;
};

// Watches every owned dialog box that this thread activates (message boxes, the About box),
// keeps what it showed and answers it with Enter, as a user reading it would.
class BoxCatcher {
  public:
    BoxCatcher();
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    // The texts shown since the last call, in Windows-1254.
    std::vector<Text> TakeTexts();

    std::vector<ShownBox> shown;

  private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    bool Seen(HWND box) const;

    HHOOK hook_ = nullptr;
    std::vector<HWND> answered_;
};

}  // namespace zerkan::test
