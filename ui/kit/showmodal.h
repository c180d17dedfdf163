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
//
// Not QDialog::exec: the strips are TwipsWindows, a QWidget like every window
// here, and a QDialog would change what the user meets. On show it makes the
// first of its push buttons the default one (drawn with the default frame;
// an Enter no control takes clicks it), and it takes Esc as reject(). Its loop
// also leaves out what this one is for: handing the owner's activation on to the
// dialog, and giving the activation back to the window the user came from
// when no window manager does.
void showModal(QWidget &dialog, QWidget &owner);

} // namespace brisquel
