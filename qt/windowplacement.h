#pragma once

// Where the main window appears: centred on its screen's work area when shown, as the dialog's
// layout asks.

class QWidget;

namespace zerkan {

// Keeps `window`'s frame centred on its screen when it is first shown. A window manager adds
// its frame only after the window is mapped, so the window is centred again, once, when the
// frame arrives; a user's later moves are left alone.
void CentreWhenShown(QWidget& window);

}  // namespace zerkan
