#pragma once
// Dialogs that open at the centre of the screen rather than over the window that opens
// them (About, item settings, custom item type).
class QWidget;

namespace quillet::ui {

// Moves the window to the centre of its screen each time it is shown. The screen is the
// one the window's owner is on, so the dialog never opens on another monitor.
void CentreOnScreenWhenShown(QWidget& window);

}  // namespace quillet::ui
