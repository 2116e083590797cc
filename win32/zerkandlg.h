#pragma once

// The main window on Win32. Data flow: a control notification or menu command -> the event
// table in OnCommand -> a core handler, given the program-wide CompositionState and this
// window as its MainWindowSurface -> the handler updates the record and shows the result
// through the surface operations below, which write the real controls. The dialog template
// is built from the one table of controls.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/composition_state.h"
#include "core/surface.h"

namespace zerkan::win32 {

// Menu and system commands of the main window.
inline constexpr UINT kAppExitCommand = 57665;
inline constexpr UINT kReadMeCommand = 32781;
inline constexpr UINT kAppAboutCommand = 57664;
inline constexpr UINT kAboutSystemCommand = 0x0010;
inline constexpr UINT kAboutMenuString = 101;
inline constexpr UINT kMenuResource = 186;
inline constexpr UINT kIconResource = 180;

// The read-me as the Help command opens it: WordPad at its standard place, the document
// relative to the current directory. The path is deliberately unquoted.
inline constexpr wchar_t kReadMeDocument[] = L"benioku.rtf";
inline constexpr wchar_t kWordPadCommandLine[] =
    L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe benioku.rtf";

// Starts WordPad on the read-me, detached; when WordPad cannot start, asks the shell to open
// the document with its default program. Silent either way.
void StartWordPadOnReadMe(HWND owner);

// The application name: the executable's file name without its extension.
std::wstring ApplicationName();

class MainDialog final : public MainWindowSurface {
  public:
    // The record belongs to the caller and outlives the window; the window neither creates
    // nor resets it.
    explicit MainDialog(CompositionState& state);
    ~MainDialog() override;
    MainDialog(const MainDialog&) = delete;
    MainDialog& operator=(const MainDialog&) = delete;

    // The program's way: a modal loop until the dialog ends; returns IDOK or IDCANCEL.
    INT_PTR DoModal();
    // For tests and drivers that run their own loop: the window, created and shown. The
    // caller's loop passes messages through IsDialogMessageW; the window is destroyed with
    // this object.
    HWND Create();
    HWND Window() const { return window_; }
    HWND Item(ControlId id) const;
    // Whether the dialog has ended, and how (IDOK, IDCANCEL); 0 while it runs.
    INT_PTR Result() const { return result_; }

    // MainWindowSurface
    void SetText(ControlId control, std::string_view text) override;
    Text GetText(ControlId control) const override;
    void SelectEntry(ControlId picker, int index) override;
    int GetSelection(ControlId picker) const override;
    void MatchTypedText(ControlId picker) override;
    void SetCountValue(int value) override;
    int ReadCountValue() const override;
    void LimitCountLength(int maxLength) override;
    void SetVisible(ControlId control, bool visible) override;
    void PushBoundValues() override;
    void PlaceCaret(ControlId box, int position) override;
    void ShowMessage(std::string_view text) override;

    // Load (save = false): writes the bound values into their controls with every
    // notification held back. Save: reads and checks them in binding order; at the first
    // failure tells the user why, selects the failing control's text and returns false.
    bool DoDataExchange(bool save);

    // The read-me command starts this; tests put their own in place.
    void SetReadMeLauncher(std::function<void(HWND)> launcher) { readMeLauncher_ = launcher; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static BOOL CALLBACK FindControl(HWND child, LPARAM self);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    BOOL OnInitDialog();
    void OnCommand(UINT id, UINT code);
    void RunHandler(ControlId control, UINT code);
    bool OnSysCommand(WPARAM command);
    bool OnPaint();
    // The captions the dialog draws rather than making them windows.
    void DrawCaptions(HDC dc);
    void OnDestroy();
    void OnOK();
    void OnCancel();
    void OnAbout();
    void OnReadMe();
    void EndWith(INT_PTR result);

    HWND List(ControlId picker) const;
    void SetListSelection(ControlId picker, int index);
    void WriteText(ControlId control, std::string_view text);
    // A label made when first written (MadeWhenWritten), in its place; nullptr for any other.
    HWND MakeLabel(ControlId id);
    // Sets the text unless the control shows it already; whether it did.
    static bool ShowText(HWND item, const std::wstring& text);
    // Inside a handler: a control of the system's classes, just changed, to be painted when the
    // handler returns.
    void PaintLater(HWND control);
    void PaintChanged();
    // Paints a control of the system's classes at once, through its own device context, unless
    // it is hidden or has the focus (the system's way hides its caret while it paints).
    static void PaintThroughOwnDc(HWND control, HWND focus);
    void PaintAtFirstShow();

    CompositionState& state_;
    HWND window_ = nullptr;
    // The controls by identifier, found once: under Wine every GetDlgItem asks the server for
    // the window's children.
    static constexpr int kFirstId = 1000, kLastId = 1047;
    std::array<HWND, kLastId - kFirstId + 1> items_{};
    HWND picture_ = nullptr;
    // The captions the dialog draws, in client coordinates.
    struct DrawnCaption {
        RECT place;
        std::wstring text;
    };
    std::vector<DrawnCaption> captions_;
    // The dialog's own controls in z order, the first on top.
    std::vector<HWND> children_;
    bool shown_ = false;
    // The edit fields of the three pickers, in the order of kPickers.
    std::array<HWND, 3> pickerFields_{};
    // While a handler runs: the controls it changed, painted when it returns.
    bool paintingLater_ = false;
    std::vector<HWND> unpainted_;
    // While a handler runs: the count field's text to show when it returns.
    std::optional<std::wstring> countLater_;
    HICON windowIcon = nullptr;
    bool modal_ = false;
    INT_PTR result_ = 0;
    // While set, control notifications reach no handler: the load direction of the exchange.
    bool holdNotifications_ = false;
    std::function<void(HWND)> readMeLauncher_ = StartWordPadOnReadMe;
};

// Layout 100, modal over `owner` until OK, Enter, Escape or its close box ends it.
void ShowAboutBox(HWND owner);

}  // namespace zerkan::win32
