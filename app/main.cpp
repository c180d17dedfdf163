#include "app/program.h"
#include "app/sendsatexit.h"
#include "app/sessionendsaver.h"
#include "platform/processcommandstarter.h"
#include "platform/qtfontandcolordialogs.h"
#include "platform/qtmessagebox.h"
#include "platform/qtscreenmetrics.h"
#include "platform/qttrayicon.h"
#include "platform/systemloginname.h"
#include "ui/services.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The main window ends the program itself, after saving; hiding it in the
    // tray must not.
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own dialogs (font, colour) speak Spanish like the rest.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    brisquel::QtScreenMetrics screen;
    brisquel::QtMessageBox messageBox;
    brisquel::SystemLoginName loginName;
    brisquel::ProcessCommandStarter starter;
    brisquel::QtFontAndColorDialogs fontAndColorDialogs;
    brisquel::QtTrayIcon tray;
    brisquel::Services services{screen, messageBox, loginName, starter, fontAndColorDialogs, tray,
                                [] { QCoreApplication::exit(0); }};
    // A receiving service of one's own (a test, a second instance) listens elsewhere.
    if (const QString socket = qEnvironmentVariable("BRISQUEL_RECEIVER_SOCKET"); !socket.isEmpty())
        services.receiverSocketPath = socket;

    brisquel::Program program(services);
    program.start();
    const brisquel::SessionEndSaver sessionEnd(program);
    const int status = app.exec();
    // Whichever way out was taken (the close after its save, "Salir", the
    // session's end), what the user sent still goes out.
    program.unloadAll();
    brisquel::finishSends(program.dispatcher());
    return status;
}
