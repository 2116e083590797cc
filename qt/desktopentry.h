#pragma once

// The running window's ties to its menu entry, zerkan-kutlesi.desktop: docks and task switchers
// group the window with its launcher and icon by these names.

class QWidget;

namespace zerkan {

inline constexpr char kDesktopEntryName[] = "zerkan-kutlesi";

// Gives a top-level window the entry's name as its X11 window class. The toolkit would take
// the class from the application name ("Zerkan Kütlesi"), which message boxes need as their
// title. Call before the window is mapped; does nothing elsewhere than on X11.
void NameWindowClass(QWidget& window);

}  // namespace zerkan
