#include "sessionendsaver.h"

#include "app/program.h"
#include "ui/main/mainwindow.h"

#include <QCoreApplication>

namespace brisquel {

namespace {
bool mainWindowRuns(Program &program)
{
    return program.hasMainWindow() && program.mainWindow().loadedOk();
}
} // namespace

SessionEndSaver::SessionEndSaver(Program &program)
{
    QObject::connect(&m_watcher, &SessionEndWatcher::endRequested, [&program] {
        if (mainWindowRuns(program))
            program.mainWindow().unload();
        else
            QCoreApplication::exit(0);
    });
    QObject::connect(&m_watcher, &SessionEndWatcher::saveRequested, [&program] {
        if (mainWindowRuns(program))
            program.mainWindow().saveAtSessionEnd();
    });
}

} // namespace brisquel
