#include "characterkey.h"

#include "keycodes.h"

#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace brisquel {

void offerCharacterKey(QWidget &control, QKeyEvent *event, bool handlerConnected,
                       const std::function<void(int &code)> &handler,
                       const std::function<void()> &ownHandling, AfterHandler after)
{
    int code = characterCode(event);
    if (code == KeyCode::None || !handlerConnected) {
        ownHandling();
        return;
    }
    const QPointer<QWidget> alive(&control);
    handler(code);
    if (!alive)
        return;
    // A handler that moved the focus away leaves nothing to press here (a
    // key held on a button would wait for a release that never comes).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool handle = after == AfterHandler::HandleIfFocused
        ? control.hasFocus()
        : after == AfterHandler::HandleIfFocusedOrEnter && (control.hasFocus() || enter);
    if (code != KeyCode::None && handle)
        ownHandling();
    event->accept();
}

} // namespace brisquel
