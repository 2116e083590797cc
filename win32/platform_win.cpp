#include <windows.h>

#include "qt/platform.h"  // moves beside the Win32 window

namespace zerkan::platform {

bool StartWordPadOnReadMe() {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line, so it gets its own copy.
    char commandLine[sizeof(kWordPadCommandLine)];
    for (unsigned i = 0; i < sizeof(kWordPadCommandLine); ++i)
        commandLine[i] = kWordPadCommandLine[i];
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                       nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
    // Newer Windows versions may lack WordPad; the default program for .rtf then opens it.
    const HINSTANCE shell =
        ShellExecuteA(nullptr, "open", kReadMeDocument, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(shell) > 32;
}

void AppendAboutEntry(std::uintptr_t nativeWindow) {
    HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(nativeWindow), FALSE);
    if (menu == nullptr)
        return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, kAboutCommand, kAboutMenuText);
}

bool IsAboutSystemCommand(const void* nativeMessage) {
    const MSG* message = static_cast<const MSG*>(nativeMessage);
    return message->message == WM_SYSCOMMAND && (message->wParam & 0xFFF0) == kAboutCommand;
}

}  // namespace zerkan::platform
