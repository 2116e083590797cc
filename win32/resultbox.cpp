#include "win32/resultbox.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "core/texts.h"
#include "win32/accessible.h"
#include "win32/dialogtemplate.h"

namespace zerkan::win32 {
namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragInterval = 100;  // ms between steps while a drag holds the mouse outside
constexpr UINT kCopyCommand = 1, kSelectAllCommand = 2;

bool IsSpace(wchar_t c) {
    return c == L' ' || c == L'\t';
}

class Box {
  public:
    explicit Box(HWND window) : window_(window) {}

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    int Length() const { return static_cast<int>(text_.size()); }
    int Width(wchar_t c);
    RECT TextArea();
    // The first character at or after `from` whose left edge lies `pixels` or more to the
    // right of `from`'s left edge, walking no further than `limit`.
    int Advance(int from, int pixels, int limit);
    // The first character from which the text up to `to` is at most `pixels` wide.
    int BackOff(int to, int pixels);
    int XOf(int position);  // pixel column of a boundary in view, relative to the text area
    int PositionAt(int x);  // the boundary in view nearest to column x of the text area
    bool InView(int position);
    void ScrollToCaret();
    void MoveCaret(int position, bool keepAnchor, bool scroll = true);
    // The selection from `anchor` to the caret at `caret`; painted again only if what shows
    // changes.
    void Select(int anchor, int caret, bool scroll);
    void Changed();
    void PlaceSystemCaret();
    void Paint();
    void Paint(HDC dc);
    void Copy() const;
    void ContextMenu(LPARAM at);
    void KeyDown(WPARAM key);
    int WordStart(int from) const;
    int NextWordStart(int from) const;
    void SetText(const wchar_t* text);
    void Metrics();

    HWND window_;
    std::wstring text_;
    int caret_ = 0, anchor_ = 0;
    int first_ = 0;  // the character at the left edge of the text area
    HFONT font_ = nullptr;
    bool measured_ = false;
    int lineHeight_ = 13, margin_ = 2, top_ = 1;
    bool focused_ = false;
    bool invalid_ = false;  // invalidated, not painted yet
    bool dragging_ = false;
    int dragStep_ = 0;  // -1, +1 while a drag holds the mouse beyond an edge
    std::unordered_map<wchar_t, int> widths_;
};

int Box::Width(wchar_t c) {
    const auto found = widths_.find(c);
    if (found != widths_.end())
        return found->second;
    HDC dc = GetDC(window_);
    const HGDIOBJ previous =
        SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(SYSTEM_FONT));
    SIZE size{};
    GetTextExtentPoint32W(dc, &c, 1, &size);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    widths_.emplace(c, static_cast<int>(size.cx));
    return static_cast<int>(size.cx);
}

void Box::Metrics() {
    measured_ = true;
    widths_.clear();
    HDC dc = GetDC(window_);
    const HGDIOBJ previous =
        SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    lineHeight_ = static_cast<int>(metrics.tmHeight);
    // An edit control's margins for a font that gives none of its own, which a one-line edit
    // makes wider than a multi-line one.
    const bool multiline = (GetWindowLongW(window_, GWL_STYLE) & ES_MULTILINE) != 0;
    margin_ = std::max(1, static_cast<int>(metrics.tmAveCharWidth) / (multiline ? 3 : 2));
    top_ = multiline ? 1 : 0;
}

RECT Box::TextArea() {
    // Measured when first needed rather than at creation: a start shows two empty boxes.
    if (!measured_)
        Metrics();
    RECT area{};
    GetClientRect(window_, &area);
    area.left += margin_;
    area.right = std::max(area.left, area.right - margin_);
    area.top += top_;
    return area;
}

int Box::Advance(int from, int pixels, int limit) {
    int x = 0;
    int i = from;
    while (i < limit && x < pixels)
        x += Width(text_[static_cast<std::size_t>(i++)]);
    return i;
}

int Box::BackOff(int to, int pixels) {
    int x = 0;
    int i = to;
    while (i > 0) {
        const int w = Width(text_[static_cast<std::size_t>(i - 1)]);
        if (x + w > pixels)
            break;
        x += w;
        --i;
    }
    return i;
}

int Box::XOf(int position) {
    int x = 0;
    for (int i = first_; i < position; ++i)
        x += Width(text_[static_cast<std::size_t>(i)]);
    return x;
}

bool Box::InView(int position) {
    if (position < first_)
        return false;
    const RECT area = TextArea();
    const int width = area.right - area.left;
    // Walks at most one area's width of characters.
    int x = 0;
    for (int i = first_; i < position; ++i) {
        x += Width(text_[static_cast<std::size_t>(i)]);
        if (x > width)
            return false;
    }
    return true;
}

int Box::PositionAt(int x) {
    const RECT area = TextArea();
    const int width = area.right - area.left;
    int left = 0;
    for (int i = first_; i < Length(); ++i) {
        const int w = Width(text_[static_cast<std::size_t>(i)]);
        if (x < left + w / 2)
            return i;
        left += w;
        if (left > width)
            return i + 1;
    }
    return Length();
}

void Box::ScrollToCaret() {
    if (InView(caret_))
        return;
    const RECT area = TextArea();
    const int width = area.right - area.left;
    if (caret_ < first_) {
        first_ = BackOff(caret_, width / 3);
        return;
    }
    // The caret two thirds across, or the end of the text at the right edge if that is less.
    first_ = std::min(BackOff(caret_, width - width / 3), BackOff(Length(), width));
}

void Box::Changed() {
    // Painted at once, as a static text paints a new text: under Wine an invalidation and the
    // paint message it brings cost half a dozen requests to the server, a paint through the
    // window's own device context one (the parent's colours). A box that does not show is
    // painted when it does.
    if (IsWindowVisible(window_)) {
        if (focused_)
            HideCaret(window_);
        HDC dc = GetDC(window_);
        Paint(dc);
        ReleaseDC(window_, dc);
        if (focused_) {
            PlaceSystemCaret();
            ShowCaret(window_);
        }
        return;
    }
    if (!invalid_) {
        InvalidateRect(window_, nullptr, FALSE);
        invalid_ = true;
    }
    if (focused_)
        PlaceSystemCaret();
}

void Box::MoveCaret(int position, bool keepAnchor, bool scroll) {
    Select(keepAnchor ? anchor_ : position, position, scroll);
}

void Box::Select(int anchor, int caret, bool scroll) {
    const int caretBefore = caret_, anchorBefore = anchor_, firstBefore = first_;
    anchor_ = std::clamp(anchor, 0, Length());
    caret_ = std::clamp(caret, 0, Length());
    if (scroll)
        ScrollToCaret();
    if (caret_ == caretBefore && anchor_ == anchorBefore && first_ == firstBefore)
        return;
    // Without the focus, the caret is not drawn; only a shown selection or the view changes
    // what the box looks like.
    const bool selectionShown =
        focused_ || (GetWindowLongW(window_, GWL_STYLE) & ES_NOHIDESEL) != 0;
    if (first_ != firstBefore ||
        (selectionShown && (caret_ != anchor_ || caretBefore != anchorBefore)))
        Changed();
    else if (focused_)
        PlaceSystemCaret();
    NotifyWinEvent(EVENT_OBJECT_TEXTSELECTIONCHANGED, window_, OBJID_CLIENT, CHILDID_SELF);
}

void Box::PlaceSystemCaret() {
    const RECT area = TextArea();
    if (InView(caret_))
        SetCaretPos(area.left + XOf(caret_), area.top);
    else
        SetCaretPos(-100, area.top);
}

void Box::Paint() {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window_, &paint);
    invalid_ = false;
    Paint(dc);
    EndPaint(window_, &paint);
}

void Box::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    // A read-only edit is coloured by its parent as a static text is.
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(window_), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(window_)));
    if (brush == nullptr)
        brush = GetSysColorBrush(COLOR_3DFACE);
    FillRect(dc, &client, brush);
    const COLORREF textColour = GetTextColor(dc);
    const HGDIOBJ previous =
        SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    const RECT area = TextArea();
    const int width = area.right - area.left;
    const int end = Advance(first_, width + 1, Length());
    const int selStart = std::min(caret_, anchor_), selEnd = std::max(caret_, anchor_);
    const bool showSelection =
        selStart != selEnd && (focused_ || (GetWindowLongW(window_, GWL_STYLE) & ES_NOHIDESEL));
    int x = area.left;
    // Three runs: before, inside and after the selection.
    const int bounds[] = {first_, std::clamp(selStart, first_, end),
                          std::clamp(selEnd, first_, end), end};
    for (int run = 0; run < 3; ++run) {
        const int from = bounds[run], to = bounds[run + 1];
        if (to <= from)
            continue;
        const bool selected = run == 1 && showSelection;
        int runWidth = 0;
        for (int i = from; i < to; ++i)
            runWidth += Width(text_[static_cast<std::size_t>(i)]);
        RECT cell{x, area.top, x + runWidth, area.top + lineHeight_};
        IntersectRect(&cell, &cell, &area);
        if (selected) {
            SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, IsWindowEnabled(window_) ? textColour : GetSysColor(COLOR_GRAYTEXT));
        }
        ExtTextOutW(dc, x, area.top, ETO_CLIPPED | (selected ? ETO_OPAQUE : 0), &cell,
                    text_.data() + from, static_cast<UINT>(to - from), nullptr);
        x += runWidth;
    }
    SelectObject(dc, previous);
}

void Box::Copy() const {
    const int start = std::min(caret_, anchor_), end = std::max(caret_, anchor_);
    if (start == end || !OpenClipboard(window_))
        return;
    const std::size_t bytes = static_cast<std::size_t>(end - start + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        auto* copy = static_cast<wchar_t*>(GlobalLock(memory));
        std::memcpy(copy, text_.data() + start, bytes - sizeof(wchar_t));
        copy[end - start] = L'\0';
        GlobalUnlock(memory);
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
            GlobalFree(memory);
    }
    CloseClipboard();
}

void Box::ContextMenu(LPARAM at) {
    POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    if (at == -1) {  // from the keyboard: at the caret
        const RECT area = TextArea();
        point = {area.left + (InView(caret_) ? XOf(caret_) : 0), area.top + lineHeight_};
        ClientToScreen(window_, &point);
    }
    SetFocus(window_);
    HMENU menu = CreatePopupMenu();
    const bool selection = caret_ != anchor_;
    const bool all = std::min(caret_, anchor_) == 0 && std::max(caret_, anchor_) == Length();
    AppendMenuW(menu, MF_STRING | (selection ? 0 : MF_GRAYED), kCopyCommand,
                Wide(texts::kCopyCommand).c_str());
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING | (text_.empty() || all ? MF_GRAYED : 0), kSelectAllCommand,
                Wide(texts::kSelectAllCommand).c_str());
    const auto command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       point.x, point.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (command == kCopyCommand)
        Copy();
    else if (command == kSelectAllCommand)
        SendMessageW(window_, EM_SETSEL, 0, -1);
}

int Box::WordStart(int from) const {
    int i = from;
    while (i > 0 && IsSpace(text_[static_cast<std::size_t>(i - 1)]))
        --i;
    while (i > 0 && !IsSpace(text_[static_cast<std::size_t>(i - 1)]))
        --i;
    return i;
}

int Box::NextWordStart(int from) const {
    int i = from;
    while (i < Length() && !IsSpace(text_[static_cast<std::size_t>(i)]))
        ++i;
    while (i < Length() && IsSpace(text_[static_cast<std::size_t>(i)]))
        ++i;
    return i;
}

void Box::KeyDown(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    const bool multiline = (GetWindowLongW(window_, GWL_STYLE) & ES_MULTILINE) != 0;
    switch (key) {
        case VK_LEFT:
            MoveCaret(control ? WordStart(caret_) : caret_ - 1, shift);
            return;
        case VK_RIGHT:
            MoveCaret(control ? NextWordStart(caret_) : caret_ + 1, shift);
            return;
        case VK_HOME:
            MoveCaret(0, shift);
            return;
        case VK_END:
            MoveCaret(Length(), shift);
            return;
        case VK_INSERT:
            if (control)
                Copy();
            return;
        // A multi-line box in a dialog takes every key; it hands these on as an edit does.
        case VK_TAB:
            if (multiline)
                SendMessageW(GetParent(window_), WM_NEXTDLGCTL, shift ? 1 : 0, 0);
            return;
        case VK_ESCAPE:
            if (multiline)
                PostMessageW(GetParent(window_), WM_CLOSE, 0, 0);
            return;
        default:
            return;
    }
}

void Box::SetText(const wchar_t* text) {
    text_ = text != nullptr ? text : L"";
    caret_ = anchor_ = first_ = 0;
    Changed();
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

LRESULT Box::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetText(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpszName);
            return 0;
        case WM_SETTEXT:
            SetText(reinterpret_cast<const wchar_t*>(lParam));
            return TRUE;
        case WM_GETTEXTLENGTH:
            return Length();
        case WM_GETTEXT: {
            if (wParam == 0)
                return 0;
            const auto count = std::min<std::size_t>(wParam - 1, text_.size());
            auto* buffer = reinterpret_cast<wchar_t*>(lParam);
            std::memcpy(buffer, text_.data(), count * sizeof(wchar_t));
            buffer[count] = L'\0';
            return static_cast<LRESULT>(count);
        }
        case WM_SETFONT:
            font_ = reinterpret_cast<HFONT>(wParam);
            measured_ = false;
            widths_.clear();
            if (LOWORD(lParam))
                Changed();
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case EM_SETSEL: {
            // As an edit: -1 for the start removes the selection, -1 for the end is the end.
            const auto start = static_cast<int>(wParam), end = static_cast<int>(lParam);
            if (start < 0)
                MoveCaret(caret_, false, false);
            else
                Select(start, end < 0 ? Length() : end, false);
            return 0;
        }
        case EM_GETSEL: {
            const auto start = static_cast<DWORD>(std::min(caret_, anchor_));
            const auto end = static_cast<DWORD>(std::max(caret_, anchor_));
            if (wParam != 0)
                *reinterpret_cast<DWORD*>(wParam) = start;
            if (lParam != 0)
                *reinterpret_cast<DWORD*>(lParam) = end;
            return start > 0xFFFF || end > 0xFFFF ? -1 : static_cast<LRESULT>(MAKELONG(start, end));
        }
        case EM_POSFROMCHAR: {
            // As an edit: the client coordinates of a character, outside the area when it is
            // out of view. Measured from the view, so a far character costs its distance.
            const int position = std::clamp(static_cast<int>(wParam), 0, Length());
            int x = 0;
            if (position >= first_) {
                x = XOf(position);
            } else {
                for (int i = position; i < first_; ++i)
                    x -= Width(text_[static_cast<std::size_t>(i)]);
            }
            const RECT area = TextArea();
            return MAKELONG(static_cast<WORD>(area.left + x), static_cast<WORD>(area.top));
        }
        case EM_SCROLLCARET: {
            const int firstBefore = first_;
            ScrollToCaret();
            if (first_ != firstBefore)
                Changed();
            return TRUE;
        }
        case WM_COPY:
            Copy();
            return 0;
        case WM_GETDLGCODE: {
            LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
            if (GetWindowLongW(window_, GWL_STYLE) & ES_MULTILINE)
                code |= DLGC_WANTALLKEYS;
            return code;
        }
        case WM_SETFOCUS:
            focused_ = true;
            TextArea();  // the line height, for the caret
            CreateCaret(window_, nullptr, 1, lineHeight_);
            PlaceSystemCaret();
            ShowCaret(window_);
            Changed();
            return 0;
        case WM_KILLFOCUS:
            focused_ = false;
            DestroyCaret();
            Changed();
            return 0;
        case WM_LBUTTONDOWN: {
            SetFocus(window_);
            SetCapture(window_);
            dragging_ = true;
            const RECT area = TextArea();
            MoveCaret(PositionAt(static_cast<short>(LOWORD(lParam)) - area.left),
                      (wParam & MK_SHIFT) != 0);
            return 0;
        }
        case WM_LBUTTONDBLCLK: {
            const RECT area = TextArea();
            const int at = PositionAt(static_cast<short>(LOWORD(lParam)) - area.left);
            const int start = at < Length() && !IsSpace(text_[static_cast<std::size_t>(at)])
                                  ? WordStart(at + 1)
                                  : at;
            Select(start, NextWordStart(start), true);
            return 0;
        }
        case WM_MOUSEMOVE: {
            if (!dragging_ || GetCapture() != window_)
                return 0;
            const RECT area = TextArea();
            const int x = static_cast<short>(LOWORD(lParam));
            const int step = x < area.left ? -1 : x >= area.right ? 1 : 0;
            if (step != dragStep_) {
                dragStep_ = step;
                if (step != 0)
                    SetTimer(window_, kDragTimer, kDragInterval, nullptr);
                else
                    KillTimer(window_, kDragTimer);
            }
            if (step == 0)
                MoveCaret(PositionAt(x - area.left), true);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kDragTimer && dragging_) {
                // One character further, the view following it one character at a time.
                MoveCaret(caret_ + dragStep_, true, false);
                if (caret_ < first_)
                    first_ = caret_;
                else
                    while (!InView(caret_) && first_ < caret_)
                        ++first_;
                Changed();
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == window_)
                ReleaseCapture();
            return 0;
        case WM_CAPTURECHANGED:
            dragging_ = false;
            dragStep_ = 0;
            KillTimer(window_, kDragTimer);
            return 0;
        case WM_KEYDOWN:
            KeyDown(wParam);
            return 0;
        case WM_CHAR:
            if (wParam == 0x03)  // Ctrl+C
                Copy();
            else if (wParam == 0x01)  // Ctrl+A
                SendMessageW(window_, EM_SETSEL, 0, -1);
            return 0;
        case WM_CONTEXTMENU:
            ContextMenu(lParam);
            return 0;
        case WM_GETOBJECT:
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                if (const LRESULT answer =
                        AnswerAccessibleObject(window_, wParam, AccessibleKind::ResultBox))
                    return answer;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_SIZE:
        case WM_ENABLE:
            Changed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK ResultBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* box = reinterpret_cast<Box*>(GetWindowLongPtrW(window, 0));
    if (message == WM_NCCREATE) {
        box = new Box(window);
        SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(box));
    }
    if (box == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, 0, 0);
        delete box;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // The text lives in the box alone: the window manager's own copy of a window's title
    // would hold it twice.
    if (message == WM_NCCREATE)
        return TRUE;
    return box->Handle(message, wParam, lParam);
}

}  // namespace

void RegisterResultBoxClass() {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof(type);
        type.style = CS_DBLCLKS;
        type.lpfnWndProc = ResultBoxProc;
        type.cbWndExtra = sizeof(Box*);
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_IBEAM);
        type.lpszClassName = kResultBoxClass;
        return RegisterClassExW(&type) != 0;
    }();
    static_cast<void>(registered);
}

}  // namespace zerkan::win32
