#include "showmodal.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

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
} // namespace

namespace {
void showAndWait(QWidget &window, Qt::WindowModality modality, QWidget *blocked)
{
    QPointer<QWidget> guard(&window);
    // Like a dialog, hand the activation back to the window the user came from.
    QPointer<QWidget> previous(QApplication::activeWindow());
    QPointer<QWidget> disabled(blocked && blocked->isEnabled() ? blocked : nullptr);
    if (disabled)
        disabled->setEnabled(false);
    QEventLoop loop;
    HideWatcher watcher(loop);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.installEventFilter(&watcher);
    window.setWindowModality(modality);
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
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
    }
    if (disabled)
        disabled->setEnabled(true);
    if (previous && previous != guard && previous->isVisible()) {
        previous->activateWindow();
        if (QGuiApplication::focusWindow() == previous->windowHandle() && !previous->isActiveWindow())
            QApplication::setActiveWindow(previous);
    }
}
} // namespace

void showModal(QWidget &window)
{
    showAndWait(window, Qt::ApplicationModal, nullptr);
}

void showModalBeside(QWidget &window, QWidget &blocked)
{
    showAndWait(window, Qt::NonModal, &blocked);
}

} // namespace brisquel
