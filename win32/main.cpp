#include <windows.h>

#include "win32/zerkan.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return zerkan::win32::App().InitInstance();
}
