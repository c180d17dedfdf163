#pragma once

#include <QIcon>
#include <QPixmap>

// The program's pictures, all painted here at run time. Every function needs a
// live QGuiApplication and returns a picture of exactly the size given.
//
// Button pictures use pure cyan (0, 255, 255) where the button face should show
// through; the other pictures carry real transparency or none at all.
namespace brisquel::art {

// Light strip drawn above a button caption: a dim blue tube, lit teal-white
// while the button is pressed.
QPixmap bankStrip(bool pressed);   // 90 x 5: recipient bank, "Acerca de...", "&Otro"
QPixmap panelStrip(bool pressed);  // 81 x 5: control panel buttons, sender-name dialog
QPixmap smallStrip(bool pressed);  // 50 x 5: saved-message buttons, unlisted-recipient dialog

// 32 x 32 gear on cyan for the "&Configuración" button.
QPixmap configPicture();

// Mode icons, 32 x 32 and 16 x 16, in the sixteen classic colours.
// groupModeIcon(): three people, shown on the mode button while the users are
//   shown, because the button switches to groups.
// userModeIcon(): one person, shown while the groups are shown, because the
//   button then switches back to users.
QIcon groupModeIcon();
QIcon userModeIcon();

// Program icon (title bar and tray), 32 x 32 and 16 x 16: an envelope with a
// speech bubble carrying an "ß".
QIcon windowIcon();

// 11 x 6 downward triangle marking each group of the control panel.
QPixmap markerImage();

// 93 x 47 opaque panel behind the pulsing "ß" of the main window.
QPixmap bannerBitmap();

// Splash window: the name panel (236 x 177) and the decorative side panel
// (121 x 177) that stands to its right.
QPixmap splashBitmap();
QPixmap splashPicture();

} // namespace brisquel::art
