#pragma once

#include <QString>

#include <functional>

class QKeyEvent;
class QWidget;

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

// What a control does with a character key its handler let through (left
// non-zero).
enum class AfterHandler {
    KeepKey, // nothing more: the handler had the key
    HandleIfFocused, // the control's own handling, unless the handler moved the focus away
    HandleIfFocusedOrEnter, // the same, and Enter always (a button clicks at once)
};

// The key-press rule of the controls with a characterKey signal. A key that
// types no character, or any key when no handler is connected, gets the
// control's own handling (ownHandling) and may go on to the window.
// Otherwise the handler sees the code first and may change it, set it to 0
// to swallow the key, or even close the window; the control then keeps the
// key, handling it itself as `after` says.
void offerCharacterKey(QWidget &control, QKeyEvent *event, bool handlerConnected,
                       const std::function<void(int &code)> &handler,
                       const std::function<void()> &ownHandling, AfterHandler after);

} // namespace brisquel
