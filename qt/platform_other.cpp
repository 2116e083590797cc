#include "qt/platform.h"

// Window systems without WordPad or a system menu a program may extend: the read-me goes to
// the desktop's default program (see readme.cpp) and no About entry exists.
namespace zerkan::platform {

bool StartWordPadOnReadMe() {
    return false;
}

void AppendAboutEntry(std::uintptr_t) {}

bool IsAboutSystemCommand(const void*) {
    return false;
}

}  // namespace zerkan::platform
