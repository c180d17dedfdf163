#pragma once

#include <QAbstractButton>
#include <QShortcutEvent>

namespace brisquel {

// An Alt+letter accelerator clicks its control at once, as the old controls
// did, instead of Qt's 100 ms animated click: keys typed right after it
// reach the window the click opens, not the one it came from. A letter
// shared by several controls only moves the focus among them.
inline bool clickOnAccelerator(QAbstractButton &button, QEvent *event)
{
    if (event->type() != QEvent::Shortcut)
        return false;
    const auto *shortcut = static_cast<QShortcutEvent *>(event);
    if (shortcut->isAmbiguous() || !button.isEnabled())
        return false;
    if (button.focusPolicy() != Qt::NoFocus)
        button.setFocus(Qt::ShortcutFocusReason);
    button.click();
    return true;
}

} // namespace brisquel
