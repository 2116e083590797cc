#include "qt/desktopentry.h"

#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

#if defined(ZERKAN_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace zerkan {

void NameWindowClass([[maybe_unused]] QWidget& window) {
#if defined(ZERKAN_HAVE_XCB)
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return;
    // Instance and class, each ending in a zero byte.
    char value[2 * sizeof kDesktopEntryName];
    std::copy_n(kDesktopEntryName, sizeof kDesktopEntryName, value);
    std::copy_n(kDesktopEntryName, sizeof kDesktopEntryName, value + sizeof kDesktopEntryName);
    // Queued before the window is mapped, on the toolkit's connection, which sends it then.
    xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS,
                        XCB_ATOM_STRING, 8, sizeof value, value);
#endif
}

}  // namespace zerkan
