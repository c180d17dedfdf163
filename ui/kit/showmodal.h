#pragma once

class QWidget;

namespace brisquel {

// Shows a dialog modally over its owner window (its transient parent for
// the window manager) and returns once it has been hidden (or closed or
// destroyed), like a modal Show of the old windows. Only the owner is kept
// from input meanwhile: the tray icon and its menu are windows of their own
// and go on working, as do timers. The owner's controls stay as they are,
// focus included, and are not greyed out. Whenever the owner is brought
// forward (restored, clicked), the dialog comes forward with the keyboard
// focus, so that no key goes to a window that cannot take it.
void showModal(QWidget &dialog, QWidget &owner);

} // namespace brisquel
