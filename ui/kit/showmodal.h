#pragma once

class QWidget;

namespace brisquel {

// Shows a window modally and returns once it has been hidden (or closed or
// destroyed), like a modal Show of the old forms: other windows take no
// input meanwhile, timers and the tray go on.
void showModal(QWidget &window);

// The same wait, for a window opened from the tray: Qt's application
// modality would block the tray icon and its menu too, so only `blocked`
// (the main window) is put out of use meanwhile.
void showModalBeside(QWidget &window, QWidget &blocked);

} // namespace brisquel
