#pragma once

#include <QString>

class QKeyEvent;

namespace brisquel {

// The control characters among the key codes the characterKey handlers get.
namespace KeyCode {
inline constexpr int None = 0; // no character: the key is not offered, or a handler swallowed it
inline constexpr int Backspace = 8;
inline constexpr int CtrlEnter = 10; // a line feed
inline constexpr int Enter = 13;
inline constexpr int Escape = 27;
inline constexpr int FirstPrintable = 32; // below it, Ctrl+letter and the codes above
} // namespace KeyCode

// The character code a key press hands to the characterKey handlers, or
// KeyCode::None when the key types no character (arrows, Delete, Home,
// F-keys, Tab, Alt+letter). Printable characters give their Windows-1252
// code (63, "?", for one the code page lacks); Enter 13 (Ctrl+Enter 10),
// Esc 27, Backspace 8 and Ctrl+A .. Ctrl+Z 1 .. 26.
int characterCode(const QKeyEvent *event);

// The character with a key code, control characters included (8 gives the
// character 8); empty for 0 and below.
QString characterFromCode(int code);

} // namespace brisquel
