#include "showmodal.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace brisquel {

namespace {
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop &loop)
        : m_loop(loop)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Close)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop &m_loop;
};

// Hands the activation of the blocked owner on to the dialog. Qt drops the
// keys of a blocked window, and a window manager may refuse Qt's own relay
// of the focus (openbox does, for a window it does not see as related).
class ActivationRelay : public QObject {
public:
    explicit ActivationRelay(QWidget &dialog)
        : m_dialog(&dialog)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            // After the activation is over, or the owner's own handling
            // (a restore giving its message box the focus) would win.
            QTimer::singleShot(0, this, [dialog = m_dialog] {
                if (dialog && dialog->isVisible()) {
                    dialog->raise();
                    dialog->activateWindow();
                }
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_dialog;
};
} // namespace

namespace {
void setOwner(QWidget &dialog, QWidget &owner)
{
    dialog.winId();
    owner.winId();
    if (dialog.windowHandle() != nullptr && owner.windowHandle() != nullptr)
        dialog.windowHandle()->setTransientParent(owner.windowHandle());
}

void showAndWait(QWidget &window, QWidget &owner)
{
    QPointer<QWidget> guard(&window);
    // Like a dialog, hand the activation back to the window the user came from.
    QPointer<QWidget> previous(QApplication::activeWindow());
    QEventLoop loop;
    HideWatcher watcher(loop);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.installEventFilter(&watcher);
    ActivationRelay relay(window);
    owner.installEventFilter(&relay);
    // Window modality blocks the owner, the window it is transient for, and
    // nothing else: application modality would block the tray icon and its
    // menu too.
    window.setWindowModality(Qt::WindowModal);
    setOwner(window, owner);
    window.show();
    window.raise();
    window.activateWindow();
    // A window shown again while the window system still counts it as the
    // focus window (as after a hide with no window manager) gets no new
    // activation: make it the active one here.
    if (QGuiApplication::focusWindow() == window.windowHandle() && !window.isActiveWindow())
        QApplication::setActiveWindow(&window);
    // A handler may hide the window before the loop starts.
    if (window.isVisible())
        loop.exec(QEventLoop::DialogExec);
    owner.removeEventFilter(&relay);
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
    }
    if (previous && previous != guard && previous->isVisible()) {
        previous->activateWindow();
        if (QGuiApplication::focusWindow() == previous->windowHandle() && !previous->isActiveWindow())
            QApplication::setActiveWindow(previous);
    }
}
} // namespace

void showModal(QWidget &dialog, QWidget &owner)
{
    showAndWait(dialog, owner);
}

} // namespace brisquel
