#include "sessionendsaver.h"

#include "ui/appwindows.h"
#include "ui/main/mainwindow.h"

#include <QCoreApplication>

namespace brisquel {

namespace {
bool mainWindowRuns(AppWindows &windows)
{
    return windows.hasMainWindow() && windows.mainWindow().loadedOk();
}
} // namespace

SessionEndSaver::SessionEndSaver(AppWindows &windows)
{
    QObject::connect(&m_watcher, &SessionEndWatcher::endRequested, [&windows] {
        if (mainWindowRuns(windows))
            windows.mainWindow().unload();
        else
            QCoreApplication::exit(0);
    });
    QObject::connect(&m_watcher, &SessionEndWatcher::saveRequested, [&windows] {
        if (mainWindowRuns(windows))
            windows.mainWindow().saveAtSessionEnd();
    });
}

} // namespace brisquel
