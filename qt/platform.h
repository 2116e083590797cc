#pragma once

// The few things the program asks of Windows itself. platform_win.cpp realises them with the
// Win32 API; platform_other.cpp is the portable counterpart for window systems without them.
// No Qt and no <windows.h> here, so both sides can include this header.

#include <cstdint>

namespace zerkan::platform {

// The read-me as the Help command opens it: WordPad at its standard place, the document
// relative to the current directory. The path is deliberately unquoted.
inline constexpr char kReadMeDocument[] = "benioku.rtf";
inline constexpr char kWordPadCommandLine[] =
    "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe benioku.rtf";

// The system-menu entry that opens the About box, and its command identifier.
inline constexpr char kAboutMenuText[] = "&About Zerkan...";
inline constexpr unsigned kAboutCommand = 0x0010;

// Starts WordPad on the read-me, detached; when WordPad cannot start, asks the shell to open
// the document with its default program. Silent either way. Returns whether a program
// started. Always false where Windows is absent.
bool StartWordPadOnReadMe();

// Appends a separator and the About entry to the native window's system menu, if it has one.
void AppendAboutEntry(std::uintptr_t nativeWindow);

// Whether a native window message is the system command of the About entry (the command's
// four low bits are the system's own and are ignored).
bool IsAboutSystemCommand(const void* nativeMessage);

}  // namespace zerkan::platform
