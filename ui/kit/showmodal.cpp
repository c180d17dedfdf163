#include "showmodal.h"

#include <QEvent>
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

void showModal(QWidget &window)
{
    QPointer<QWidget> guard(&window);
    QEventLoop loop;
    HideWatcher watcher(loop);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.installEventFilter(&watcher);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    window.raise();
    window.activateWindow();
    // A handler may hide the window before the loop starts.
    if (window.isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard) {
        guard->removeEventFilter(&watcher);
        guard->setWindowModality(Qt::NonModal);
    }
}

} // namespace brisquel
