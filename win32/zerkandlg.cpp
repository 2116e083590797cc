#include "win32/zerkandlg.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "core/controls.h"
#include "core/elements.h"
#include "core/exchange.h"
#include "core/handlers.h"
#include "core/text.h"
#include "win32/accessible.h"
#include "win32/dialogtemplate.h"

namespace zerkan::win32 {
namespace {

constexpr ControlId kPickers[] = {ControlId::NumberPicker, ControlId::NamePicker,
                                  ControlId::SymbolPicker};

std::size_t PickerSlot(ControlId picker) {
    return picker == ControlId::NumberPicker ? 0 : picker == ControlId::NamePicker ? 1 : 2;
}

bool IsEditBox(ControlId id) {
    return id == ControlId::CountField || id == ControlId::MolecularMassBox ||
           id == ControlId::ContentsBox || id == ControlId::FormulaBox;
}

Text WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::vector<wchar_t> buffer(static_cast<std::size_t>(length) + 1);
    const int read = GetWindowTextW(window, buffer.data(), length + 1);
    return FromUtf16(std::u16string(buffer.data(), buffer.data() + read));
}

// Restores the previous value of a flag when the scope ends.
class Holding {
  public:
    explicit Holding(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~Holding() { flag_ = previous_; }
    Holding(const Holding&) = delete;
    Holding& operator=(const Holding&) = delete;

  private:
    bool& flag_;
    bool previous_;
};

INT_PTR CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            // Centred over the window that opened it.
            RECT owner{}, box{};
            GetWindowRect(GetWindow(window, GW_OWNER), &owner);
            GetWindowRect(window, &box);
            const int width = box.right - box.left, height = box.bottom - box.top;
            SetWindowPos(window, nullptr, (owner.left + owner.right - width) / 2,
                         (owner.top + owner.bottom - height) / 2, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            EndDialog(window, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

// The shell's functions, bound when first needed: the program starts without loading shell32,
// which a start does not need and which costs a tenth of the start-up under Wine.
template <class Function>
Function FromShell(const char* name) {
    static const HMODULE shell = LoadLibraryW(L"shell32.dll");
    if (shell == nullptr)
        return nullptr;
    // Through a generic function pointer, as GetProcAddress results are meant to be cast.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(shell, name)));
}

}  // namespace

void StartWordPadOnReadMe(HWND owner) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandLine = kWordPadCommandLine;
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return;
    }
    // Newer Windows versions may lack WordPad; the default program for .rtf then opens it.
    if (const auto execute = FromShell<decltype(&ShellExecuteW)>("ShellExecuteW"))
        execute(owner, L"open", kReadMeDocument, nullptr, nullptr, SW_SHOWNORMAL);
}

std::wstring ApplicationName() {
    std::vector<wchar_t> path(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size())
            break;
        path.resize(path.size() * 2);
    }
    std::wstring name(path.data(), length);
    const std::size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

void ShowAboutBox(HWND owner) {
    const DialogTemplate about(layout::kAboutDialog);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr), about.Get(), owner, AboutProc, 0);
}

MainDialog::MainDialog(CompositionState& state)
    : state_(state),
      windowIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource))) {}

MainDialog::~MainDialog() {
    if (window_ != nullptr && !modal_)
        DestroyWindow(window_);
}

INT_PTR MainDialog::DoModal() {
    modal_ = true;
    const DialogTemplate main(layout::kMainDialog);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), main.Get(), nullptr, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
}

HWND MainDialog::Create() {
    const DialogTemplate main(layout::kMainDialog);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), main.Get(), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
    return window_;
}

HWND MainDialog::Item(ControlId id) const {
    const int number = static_cast<int>(id);
    if (window_ != nullptr && number >= kFirstId && number <= kLastId)
        return items_[static_cast<std::size_t>(number - kFirstId)];
    return GetDlgItem(window_, number);
}

BOOL CALLBACK MainDialog::FindControl(HWND child, LPARAM lParam) {
    auto* self = reinterpret_cast<MainDialog*>(lParam);
    // The enumeration also reaches the pickers' own fields, which carry numbers of their own.
    if (GetParent(child) != self->window_)
        return TRUE;
    self->children_.push_back(child);
    const int id = GetDlgCtrlID(child);
    if (id >= kFirstId && id <= kLastId)
        self->items_[static_cast<std::size_t>(id - kFirstId)] = child;
    else if (id == -1 && (GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
        self->picture_ = child;
    return TRUE;
}

INT_PTR CALLBACK MainDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<MainDialog*>(lParam);
        self->window_ = window;
        // One enumeration: under Wine it is one request to the server, where each step of
        // GetWindow is one.
        EnumChildWindows(window, FindControl, lParam);
        for (const ControlId picker : kPickers) {
            COMBOBOXINFO info{};
            info.cbSize = sizeof(info);
            GetComboBoxInfo(self->Item(picker), &info);
            self->pickerFields_[PickerSlot(picker)] = info.hwndItem;
        }
        SetWindowLongPtrW(window, DWLP_USER, lParam);
    }
    auto* self = reinterpret_cast<MainDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    const INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
        self->items_.fill(nullptr);
        self->pickerFields_.fill(nullptr);
        self->picture_ = nullptr;
        self->children_.clear();
        self->captions_.clear();
        self->shown_ = false;
    }
    return result;
}

INT_PTR MainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            return OnSysCommand(wParam) ? TRUE : FALSE;
        case WM_PAINT:
            return OnPaint() ? TRUE : FALSE;
        case WM_PRINTCLIENT:
            // A picture of the window that another program asks for holds the captions too.
            DrawCaptions(reinterpret_cast<HDC>(wParam));
            return TRUE;
        case WM_WINDOWPOSCHANGED:
            if (!shown_ && (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
                shown_ = true;
                PaintAtFirstShow();
            }
            return FALSE;  // the system's handling too: the window's size and place
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(windowIcon);
        case WM_DROPFILES:
            // Files may be dropped on the window; a drop changes nothing.
            if (const auto finish = FromShell<decltype(&DragFinish)>("DragFinish"))
                finish(reinterpret_cast<HDROP>(wParam));
            return TRUE;
        case WM_HELP:
            // F1: the program's only help is the read-me.
            OnReadMe();
            return TRUE;
        case WM_CLOSE:
            OnCancel();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            static_cast<void>(lParam);
            return FALSE;
    }
}

BOOL MainDialog::OnInitDialog() {
    // As in a handler: the count field, written by the exchange and emptied below, takes only
    // its last text.
    paintingLater_ = true;
    {
        const Holding hold(holdNotifications_);
        for (const ControlId picker : kPickers) {
            for (int i = 0; i < kElementCount; ++i) {
                SendMessageW(Item(picker), CB_ADDSTRING, 0,
                             reinterpret_cast<LPARAM>(Wide(PickerEntryText(picker, i)).c_str()));
            }
        }
    }
    DoDataExchange(false);

    for (const layout::Control& c : layout::kMainControls) {
        if (!DrawnByDialog(layout::kMainControls, c))
            continue;
        captions_.push_back({PlaceOf(window_, c), WideFromUtf8(c.text)});
    }

    // Names for screen readers that the system's objects do not give (accessible.h).
    for (const ControlId picker : kPickers)
        GiveAccessibleObject(Item(picker), AccessibleKind::Picker);
    for (const layout::Control& c : layout::kMainControls) {
        if (c.kind == layout::Kind::Picture)
            GiveAccessibleObject(picture_, AccessibleKind::Picture, WideFromUtf8(c.accessible));
    }

    if (HMENU systemMenu = GetSystemMenu(window_, FALSE)) {
        wchar_t about[64] = {};
        if (LoadStringW(GetModuleHandleW(nullptr), kAboutMenuString, about, 64) > 0) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, kAboutSystemCommand, about);
        }
    }
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon));

    SetText(ControlId::MolecularMassBox, "");
    SetText(ControlId::AtomicMassValue, "");
    SetVisible(ControlId::AtomicMassLabel, false);
    // Runs the count field's change handler: count reads 0 and the 9-character limit starts.
    SetText(ControlId::CountField, "");
    paintingLater_ = false;
    PaintChanged();
    return TRUE;  // the focus goes to the first tab stop, NumberPicker
}

void MainDialog::OnCommand(UINT id, UINT code) {
    switch (id) {
        case IDOK:
            OnOK();
            return;
        case IDCANCEL:
            OnCancel();
            return;
        case kAppExitCommand:
            // The close box's way out: the cancel action, without a question.
            SendMessageW(window_, WM_CLOSE, 0, 0);
            return;
        case kReadMeCommand:
            OnReadMe();
            return;
        case kAppAboutCommand:
            OnAbout();
            return;
        default:
            break;
    }
    if (holdNotifications_)
        return;
    // What the handler changes in the system's controls is painted once, when it returns.
    const bool outermost = !paintingLater_;
    paintingLater_ = true;
    RunHandler(static_cast<ControlId>(id), code);
    if (outermost) {
        paintingLater_ = false;
        PaintChanged();
    }
}

void MainDialog::RunHandler(ControlId control, UINT code) {
    switch (control) {
        case ControlId::AddButton:
        case ControlId::UndoButton:
        case ControlId::ResetButton:
        case ControlId::SearchButton:
            if (code != BN_CLICKED)
                return;
            if (control == ControlId::AddButton)
                OnAdd(state_, *this);
            else if (control == ControlId::UndoButton)
                OnUndo(state_, *this);
            else if (control == ControlId::ResetButton)
                OnReset(state_, *this);
            else
                OnSearch(state_, *this);
            return;
        case ControlId::CountField:
            if (code == EN_CHANGE)
                OnCountChanged(state_, *this);
            return;
        case ControlId::NumberPicker:
        case ControlId::NamePicker:
        case ControlId::SymbolPicker:
            if (code == CBN_SELENDOK) {
                OnPickerSelected(state_, *this, control);
            } else if (code == CBN_EDITCHANGE) {
                // An edit with the list closed leaves no entry selected; the typed text stays.
                if (!SendMessageW(Item(control), CB_GETDROPPEDSTATE, 0, 0))
                    SetListSelection(control, -1);
                OnPickerEdited(state_, *this, control);
            }
            return;
        default:
            return;
    }
}

bool MainDialog::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != kAboutSystemCommand)
        return false;
    OnAbout();
    return true;
}

bool MainDialog::OnPaint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    if (!IsIconic(window_)) {
        DrawCaptions(dc);
        EndPaint(window_, &paint);
        return true;
    }
    SendMessageW(window_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int iconWidth = GetSystemMetrics(SM_CXICON);
    const int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client{};
    GetClientRect(window_, &client);
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    DrawIcon(dc, x, y, windowIcon);
    EndPaint(window_, &paint);
    return true;
}

void MainDialog::DrawCaptions(HDC dc) {
    // As a static text of the dialog's font paints itself.
    const HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window_, WM_GETFONT, 0, 0)));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkMode(dc, TRANSPARENT);
    for (DrawnCaption& caption : captions_) {
        DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &caption.place,
                  DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
    }
    SelectObject(dc, font);
}

void MainDialog::OnDestroy() {
    // Closes a help window that F1 may have opened for this program.
    WinHelpW(window_, nullptr, HELP_QUIT, 0);
}

void MainDialog::OnOK() {
    if (DoDataExchange(true))
        EndWith(IDOK);
}

void MainDialog::OnCancel() {
    EndWith(IDCANCEL);
}

void MainDialog::EndWith(INT_PTR result) {
    result_ = result;
    EndDialog(window_, result);
}

void MainDialog::OnAbout() {
    ShowAboutBox(window_);
}

void MainDialog::OnReadMe() {
    if (readMeLauncher_)
        readMeLauncher_(window_);
}

void MainDialog::PaintLater(HWND control) {
    if (!paintingLater_ || control == nullptr)
        return;
    if (std::find(unpainted_.begin(), unpainted_.end(), control) == unpainted_.end())
        unpainted_.push_back(control);
}

void MainDialog::PaintChanged() {
    if (countLater_) {
        HWND field = Item(ControlId::CountField);
        const Holding hold(holdNotifications_);
        if (ShowText(field, *countLater_) &&
            std::find(unpainted_.begin(), unpainted_.end(), field) == unpainted_.end())
            unpainted_.push_back(field);
        countLater_.reset();
    }
    if (unpainted_.empty())
        return;
    // Under Wine each invalidated control's paint message costs half a dozen requests to the
    // server (the message, the caret hidden and shown, the update and visible regions); the
    // control painting itself through its own device context costs two. The focused control
    // keeps the system's way, which hides its caret while it paints.
    const HWND focus = GetFocus();
    for (HWND control : unpainted_)
        PaintThroughOwnDc(control, focus);
    unpainted_.clear();
}

void MainDialog::PaintThroughOwnDc(HWND control, HWND focus) {
    if (control == focus || !IsWindowVisible(control))
        return;
    HDC dc = GetDC(control);
    SendMessageW(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ReleaseDC(control, dc);
    ValidateRect(control, nullptr);
}

void MainDialog::PaintAtFirstShow() {
    // The same saving as for a handler's changes, over the whole window when it first shows:
    // the window's own background first, then the controls in the order the system paints
    // them, the top of the z order first, where the two group frames meet. The pickers, made
    // of several windows and holding the focus, keep the system's way.
    if (IsIconic(window_))
        return;  // painted when restored
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASENOW | RDW_UPDATENOW | RDW_NOCHILDREN);
    const HWND focus = GetFocus();
    for (HWND child : children_) {
        const bool picker = std::any_of(std::begin(kPickers), std::end(kPickers),
                                        [&](ControlId id) { return Item(id) == child; });
        if (!picker)
            PaintThroughOwnDc(child, focus);
    }
}

HWND MainDialog::List(ControlId picker) const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(Item(picker), &info);
    return info.hwndList;
}

void MainDialog::SetListSelection(ControlId picker, int index) {
    // The list's own selection: the edit field keeps its text and caret.
    SendMessageW(List(picker), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool MainDialog::ShowText(HWND item, const std::wstring& text) {
    // A control given the text it shows already would still be laid out and painted again.
    if (static_cast<std::size_t>(GetWindowTextLengthW(item)) == text.size()) {
        std::wstring shown(text.size() + 1, L'\0');
        shown.resize(static_cast<std::size_t>(
            GetWindowTextW(item, shown.data(), static_cast<int>(shown.size()))));
        if (shown == text)
            return false;
    }
    SetWindowTextW(item, text.c_str());
    return true;
}

void MainDialog::WriteText(ControlId control, std::string_view text) {
    if (control == ControlId::CountField && paintingLater_) {
        // Inside a handler the field takes only its last text: an Add writes the bound count
        // into it and empties it again.
        countLater_ = Wide(text);
        return;
    }
    HWND item = Item(control);
    if (item == nullptr) {
        if (text.empty())
            return;  // a label not made yet shows nothing already
        item = MakeLabel(control);
    }
    ShowText(item, Wide(text));
}

HWND MainDialog::MakeLabel(ControlId id) {
    const layout::Control* row = layout::FindMainControl(static_cast<int>(id));
    if (window_ == nullptr || row == nullptr || !MadeWhenWritten(*row) || row->id < kFirstId ||
        row->id > kLastId)
        return nullptr;
    const RECT place = PlaceOf(window_, *row);
    HWND label = CreateWindowExW(row->exStyle, L"Static", L"", WS_CHILD | row->style, place.left,
                                 place.top, place.right - place.left, place.bottom - place.top,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row->id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (label == nullptr)
        return nullptr;
    SendMessageW(label, WM_SETFONT, static_cast<WPARAM>(SendMessageW(window_, WM_GETFONT, 0, 0)),
                 FALSE);
    // Its place in the z order is the template's: after the last window made before it.
    auto next = children_.begin();
    for (const layout::Control& c : StackingOrder(layout::kMainControls)) {
        if (c.id == row->id || next == children_.end())
            break;
        const bool made =
            c.id >= kFirstId && c.id <= kLastId && Item(static_cast<ControlId>(c.id)) != nullptr;
        if (!MadeWhenWritten(c) || made)
            ++next;
    }
    const HWND after = next == children_.begin() ? HWND_TOP : *std::prev(next);
    SetWindowPos(label, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    children_.insert(next, label);
    items_[static_cast<std::size_t>(row->id - kFirstId)] = label;
    return label;
}

void MainDialog::SetText(ControlId control, std::string_view text) {
    if (control == ControlId::CountField) {
        {
            const Holding hold(holdNotifications_);
            WriteText(control, text);
        }
        // Exactly one run of the change handler, whatever the control reports for the write.
        if (!holdNotifications_)
            OnCountChanged(state_, *this);
        return;
    }
    WriteText(control, text);
    if (IsEditBox(control)) {
        SendMessageW(Item(control), EM_SETSEL, 0, 0);
        SendMessageW(Item(control), EM_SCROLLCARET, 0, 0);
    }
}

Text MainDialog::GetText(ControlId control) const {
    if (control == ControlId::CountField && countLater_)
        return FromUtf16(std::u16string(countLater_->begin(), countLater_->end()));
    return WindowText(Item(control));
}

void MainDialog::SelectEntry(ControlId picker, int index) {
    if (index < 0 || index >= kElementCount)
        index = -1;
    const Holding hold(holdNotifications_);
    HWND box = Item(picker);
    if (GetSelection(picker) == index &&
        (index < 0 ? GetWindowTextLengthW(box) == 0
                   : WindowText(box) == PickerEntryText(picker, index)))
        return;  // shown already; setting it again would repaint the picker for nothing
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index < 0 && GetWindowTextLengthW(box) > 0)
        SetWindowTextW(box, L"");
    PaintLater(pickerFields_[PickerSlot(picker)]);
}

int MainDialog::GetSelection(ControlId picker) const {
    return static_cast<int>(SendMessageW(Item(picker), CB_GETCURSEL, 0, 0));
}

void MainDialog::MatchTypedText(ControlId picker) {
    const Text typed = GetText(picker);
    int found = -1;
    if (!typed.empty()) {
        HWND box = Item(picker);
        const int count = static_cast<int>(SendMessageW(box, CB_GETCOUNT, 0, 0));
        std::vector<wchar_t> entry;
        for (int i = 0; i < count && found < 0; ++i) {
            const auto length = SendMessageW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
            entry.assign(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
            SendMessageW(box, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(entry.data()));
            const Text text = FromUtf16(std::u16string(entry.data(), entry.data() + length));
            if (StartsWithIgnoringCase(text, typed))
                found = i;
        }
    }
    SetListSelection(picker, found);
}

void MainDialog::SetCountValue(int value) {
    SetText(ControlId::CountField, FormatInt(value));
}

int MainDialog::ReadCountValue() const {
    return ReadCountText(GetText(ControlId::CountField));
}

void MainDialog::LimitCountLength(int maxLength) {
    SendMessageW(Item(ControlId::CountField), EM_LIMITTEXT,
                 static_cast<WPARAM>(maxLength > 0 ? maxLength : 0), 0);
}

void MainDialog::SetVisible(ControlId control, bool visible) {
    HWND item = Item(control);
    if (((GetWindowLongPtrW(item, GWL_STYLE) & WS_VISIBLE) != 0) == visible)
        return;
    // Shown or hidden without the system's redraw, which repaints every sibling that overlaps
    // it (the group frames around it), and without the question of limits on a move it does
    // not make, which under Wine costs three requests to the server.
    SetWindowPos(item, nullptr, 0, 0, 0, 0,
                 (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOMOVE | SWP_NOSIZE |
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOSENDCHANGING);
    if (visible) {
        if (paintingLater_)
            PaintLater(item);
        else
            RedrawWindow(item, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        return;
    }
    // Only the caption's own place, painted at once with the window's background; a window
    // not shown yet paints it with the rest.
    if (!IsWindowVisible(window_))
        return;
    RECT place{};
    GetWindowRect(item, &place);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    HDC dc = GetDC(window_);
    IntersectClipRect(dc, place.left, place.top, place.right, place.bottom);
    SendMessageW(window_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    ReleaseDC(window_, dc);
}

void MainDialog::PushBoundValues() {
    DoDataExchange(false);
}

void MainDialog::PlaceCaret(ControlId box, int position) {
    SendMessageW(Item(box), EM_SETSEL, static_cast<WPARAM>(position), position);
    SendMessageW(Item(box), EM_SCROLLCARET, 0, 0);
}

void MainDialog::ShowMessage(std::string_view text) {
    // The window as it stands, under the message.
    PaintChanged();
    MessageBoxW(window_, Wide(text).c_str(), ApplicationName().c_str(), MB_OK | MB_ICONWARNING);
}

bool MainDialog::DoDataExchange(bool save) {
    if (!save) {
        const Holding hold(holdNotifications_);
        WriteText(ControlId::CountField, FormatInt(boundCount));
        SetText(ControlId::MolecularMassBox, FormatMass(boundMolecularMass));
        SetText(ControlId::AtomicMassValue, FormatMass(boundAtomicMass));
        return true;
    }
    const SaveOutcome outcome = SaveBoundValues(*this);
    if (outcome.ok)
        return true;
    ShowMessage(outcome.message);
    HWND failed = Item(outcome.failedControl);
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(failed), TRUE);
    if (IsEditBox(outcome.failedControl))
        SendMessageW(failed, EM_SETSEL, 0, -1);
    return false;
}

}  // namespace zerkan::win32
