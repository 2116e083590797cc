// The scenario driver on the real Win32 window: a MainDialog, driven by the key, character and
// mouse messages a user's input produces, and read back from its controls.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "core/text.h"
#include "driver.h"
#include "tests/win32/userinput.h"
#include "win32/dialogtemplate.h"
#include "win32/zerkandlg.h"

namespace zerkan::replay {
namespace {

// Text that no key produces still arrives by pasting.
bool Typable(const std::wstring& text) {
    for (const wchar_t c : text) {
        if (c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

void Paste(HWND dialog, HWND control, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return;
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    if (!OpenClipboard(dialog)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    HWND edit = test::EditOf(control);
    test::Click(dialog, edit);
    SendMessageW(edit, EM_SETSEL, 0, -1);
    PostMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
    test::Pump(dialog);
}

class Win32WindowDriver final : public ScenarioDriver {
  public:
    Win32WindowDriver()
        : state_(std::make_unique<CompositionState>()),
          dialog_(std::make_unique<win32::MainDialog>(*state_)) {
        dialog_->SetReadMeLauncher([](HWND) {});
        window_ = dialog_->Create();
        if (window_ == nullptr)
            throw std::runtime_error("the window could not be created");
        // Outside the screen, as the Qt driver's offscreen platform: every control works, and
        // long runs spend no time drawing what nobody sees.
        SetWindowPos(window_, nullptr, -4000, -4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetForegroundWindow(window_);
        test::Pump(window_);
    }

    void Apply(const Gesture& gesture) override {
        switch (gesture.kind) {
            case Gesture::Kind::Choose:
                Choose(gesture.control, gesture.index);
                break;
            case Gesture::Kind::Type:
                Type(gesture.control, gesture.text);
                break;
            case Gesture::Kind::TypeCount:
                // Typed one key at a time: the field itself drops what is not a digit and stops
                // at its length limit.
                test::TypeOver(window_, dialog_->Item(ControlId::CountField),
                               win32::Wide(gesture.text));
                break;
            case Gesture::Kind::Click:
                test::Click(window_, dialog_->Item(gesture.control));
                break;
        }
    }

    WindowView Read() const override {
        return test::ReadThroughSurface(
            *dialog_, IsWindowVisible(dialog_->Item(ControlId::AtomicMassLabel)),
            Caret(ControlId::ContentsBox), Caret(ControlId::FormulaBox));
    }

    std::vector<Text> TakeMessages() override {
        std::vector<Text> texts;
        for (const test::ShownBox& box : std::exchange(catcher_.shown, {}))
            texts.push_back(FromUtf16(std::u16string(box.text.begin(), box.text.end())));
        return texts;
    }

    const CompositionState& State() const override { return *state_; }

  private:
    void Choose(ControlId picker, int index) {
        test::ChooseFromList(window_, dialog_->Item(picker), index);
        if (dialog_->GetSelection(picker) != index) {
            std::fprintf(stderr, "zerkan-replay: choosing entry %d of %s failed\n", index,
                         std::string(ControlName(picker)).c_str());
        }
    }

    void Type(ControlId picker, std::string_view text) {
        const std::wstring wide = win32::Wide(text);
        if (Typable(wide))
            test::TypeOver(window_, dialog_->Item(picker), wide);
        else
            Paste(window_, dialog_->Item(picker), wide);
    }

    int Caret(ControlId box) const {
        DWORD start = 0, end = 0;
        SendMessageW(dialog_->Item(box), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return static_cast<int>(end);
    }

    std::unique_ptr<CompositionState> state_;
    std::unique_ptr<win32::MainDialog> dialog_;
    HWND window_ = nullptr;
    test::BoxCatcher catcher_;
};

}  // namespace

std::unique_ptr<ScenarioDriver> MakeWindowDriver(int&, char**) {
    return std::make_unique<Win32WindowDriver>();
}

}  // namespace zerkan::replay
