#include "sessionendsaver.h"

#include "ui/forms.h"
#include "ui/main/form1.h"

#include <QCoreApplication>

namespace brisquel {

namespace {
bool mainWindowRuns(Forms &forms)
{
    return forms.isLoaded1() && forms.form1().loadedOk();
}
} // namespace

SessionEndSaver::SessionEndSaver(Forms &forms)
{
    QObject::connect(&m_watcher, &SessionEndWatcher::endRequested, [&forms] {
        if (mainWindowRuns(forms))
            forms.form1().Form_Unload();
        else
            QCoreApplication::exit(0);
    });
    QObject::connect(&m_watcher, &SessionEndWatcher::saveRequested, [&forms] {
        if (mainWindowRuns(forms))
            forms.form1().saveAtSessionEnd();
    });
}

} // namespace brisquel
