#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace brisquel {

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
