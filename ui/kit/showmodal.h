#pragma once

class QWidget;

namespace brisquel {

// Shows a dialog modally over its owner window (its transient parent for
// the window manager) and returns once it has been hidden (or closed or
// destroyed), like a modal Show of the old windows: other windows take no
// input meanwhile, timers and the tray go on.
void showModal(QWidget &dialog, QWidget &owner);

// The same wait, for a dialog opened from the tray: Qt's application
// modality would block the tray icon and its menu too, so only the owner
// (the main window) is kept from input meanwhile. Its controls stay as
// they are, focus included, and are not greyed out.
void showModalBeside(QWidget &dialog, QWidget &owner);

} // namespace brisquel
