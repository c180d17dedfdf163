// The program as main() composes it, but for measuring start-up: no splash
// (its two seconds are a pause by design) and the greeting answered Yes at
// once by a scripted message box. Everything else is the real thing.
#include "startupprobe.h"

#include "app/program.h"
#include "fakes/scriptedmessagebox.h"
#include "platform/processcommandstarter.h"
#include "platform/qtfontandcolordialogs.h"
#include "platform/qtscreenmetrics.h"
#include "platform/qttrayicon.h"
#include "platform/systemloginname.h"
#include "ui/main/mainwindow.h"
#include "ui/services.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartupReporter reporter(STARTUP_SETTLE_MS);
    QApplication::setQuitOnLastWindowClosed(false);

    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    brisquel::QtScreenMetrics screen;
    brisquel::ScriptedMessageBox messageBox({brisquel::MessageBox::Answer::Yes});
    brisquel::SystemLoginName loginName;
    brisquel::ProcessCommandStarter starter;
    brisquel::QtFontAndColorDialogs fontAndColorDialogs;
    brisquel::QtTrayIcon tray;
    brisquel::Services services{screen, messageBox, loginName, starter, fontAndColorDialogs, tray,
                                [] { QCoreApplication::exit(0); }};

    brisquel::Program program(services);
    // What the splash does on its second tick.
    if (!program.openMainWindow().loadedOk())
        return 1;
    return app.exec();
}
