// The whole road on one machine: the real program, driven with real key
// presses on a private X display, starts our `net`, which finds the
// recipient by its NetBIOS name through a name server of the test's own and
// delivers to a private Samba server; the inbox holds exactly what was
// typed and signed.

#include "fakenameserver.h"
#include "privatesamba.h"
#include "support/virtualdisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kProgram = QStringLiteral(BRISQUEL_PROGRAM);
const QString kNet = QStringLiteral(NET_PROGRAM);
constexpr int kWindowTimeoutMs = 15000;

// The 62 lines of a settings file: sender "Ana" signing with her own name,
// user slot 0 "&Pepe" (Alt+P) sending to "pepe-pc", a name only the test's
// name server knows, the rest empty.
QByteArray settingsFile()
{
    QStringList lines{QStringLiteral("[GENERAL]"), QStringLiteral("Ana"), QStringLiteral("ana"), QStringLiteral("1"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("0"), QStringLiteral("0"),
                      QStringLiteral(" 10"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral(" 0"),
                      QStringLiteral(" 16777215"), QStringLiteral("[USUARIOS]"), QStringLiteral("&Pepe"),
                      QStringLiteral("pepe-pc")};
    for (int i = 1; i < 12; ++i)
        lines << QStringLiteral("...") << QStringLiteral("...");
    lines << QStringLiteral("[GRUPOS]");
    for (int i = 0; i < 12; ++i)
        lines << QStringLiteral("...") << QStringLiteral("...");
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1();
}

// Ends the program however the test leaves, pass or fail.
struct RunningProgram {
    QProcess process;
    ~RunningProgram()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
};

} // namespace

class TestNetEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void typedMessageReachesTheInbox();
};

void TestNetEndToEnd::typedMessageReachesTheInbox()
{
    QVERIFY2(QFile::exists(kProgram), qPrintable(kProgram));
    const QString noSamba = PrivateSamba::whyUnavailable(139);
    if (!noSamba.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No private Samba server: ") + noSamba));
    const QString noDisplay = VirtualDisplay::whyUnavailable();
    if (!noDisplay.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No private X display: ") + noDisplay));

    PrivateSamba samba;
    const QString sambaProblem = samba.start();
    QVERIFY2(sambaProblem.isEmpty(), qPrintable(sambaProblem));
    VirtualDisplay display;
    const QString displayProblem = display.start();
    QVERIFY2(displayProblem.isEmpty(), qPrintable(displayProblem));
    // With a window manager the accented keys have fixed places: typed
    // without one, xdotool remaps a key for each and may lose a letter.
    const QString wmProblem = display.startWindowManager(QStringLiteral(WINDOW_MANAGER));
    QVERIFY2(wmProblem.isEmpty(), qPrintable(wmProblem));

    // A copy of the program with a `net` beside it, which it finds first:
    // our net, told to ask the test's name server and never to broadcast.
    FakeNameServer nameServer;
    nameServer.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QFile config(folder.filePath(QStringLiteral("smb.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(nameServer.configLines("wins"));
    config.close();
    QFile net(folder.filePath(QStringLiteral("net")));
    QVERIFY(net.open(QIODevice::WriteOnly));
    net.write("#!/bin/sh\nexec '" + QFile::encodeName(kNet) + "' -s '" + QFile::encodeName(config.fileName())
              + "' \"$@\"\n");
    net.close();
    net.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString program = folder.filePath(QStringLiteral("brisquel"));
    QVERIFY(QFile::copy(kProgram, program));

    QFile ini(folder.filePath(QStringLiteral("brisquel.ini")));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(settingsFile());
    ini.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("runtime")));
    QFile::setPermissions(folder.filePath(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    RunningProgram brisquel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.name());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("runtime")));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    brisquel.process.setProcessEnvironment(environment);
    brisquel.process.setWorkingDirectory(folder.path());
    brisquel.process.setProcessChannelMode(QProcess::ForwardedChannels);
    brisquel.process.start(program);
    QVERIFY2(brisquel.process.waitForStarted(5000), qPrintable(brisquel.process.errorString()));

    // The greeting, after the splash: "S" answers "&Sí".
    const QString greeting = display.waitForWindow(QStringLiteral("^Brisquel v2.4b rev 10$"), kWindowTimeoutMs);
    QVERIFY2(!greeting.isEmpty(), "the greeting never showed");
    display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), greeting});
    display.xdotool({QStringLiteral("key"), QStringLiteral("s")});

    const QString window = display.waitForWindow(QStringLiteral("^Brisquel v2.4b$"), kWindowTimeoutMs);
    QVERIFY2(!window.isEmpty(), "the main window never showed");
    display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});

    // Click into the message box and type a probe letter until the caption
    // shows a count (keys typed before the window is active are lost); then
    // Esc empties the box again.
    const QString designCaption = QStringLiteral("Brisquel v2.4b");
    bool takesKeys = false;
    for (int attempt = 0; attempt < 20 && !takesKeys; ++attempt) {
        display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window, QStringLiteral("100"),
                         QStringLiteral("60"), QStringLiteral("click"), QStringLiteral("1")});
        display.xdotool({QStringLiteral("key"), QStringLiteral("x")});
        for (int poll = 0; poll < 10 && !takesKeys; ++poll) {
            QTest::qWait(30);
            takesKeys = display.windowTitle(window) != designCaption;
        }
    }
    QVERIFY2(takesKeys, "the message box never took a key");
    display.xdotool({QStringLiteral("key"), QStringLiteral("Escape")});

    // X delivers the keys in order, so Alt+P reaches the program after the
    // last letter.
    const QString typed = QStringLiteral("¡Hola desde Brisquel! Señora Peña, ¿qué tal?");
    display.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("15"), typed});
    display.xdotool({QStringLiteral("key"), QStringLiteral("alt+p")});

    // The event loop runs meanwhile, so the name server answers.
    QTRY_VERIFY2_WITH_TIMEOUT(!QDir(samba.inboxFolder()).isEmpty(QDir::Files), "nothing reached the inbox", 10000);
    const std::optional<QByteArray> message = samba.takeMessage();
    QVERIFY(message.has_value());
    QCOMPARE(nameServer.queries.value(0), FakeNameServer::rawName("PEPE-PC", 0x03));
    // The LF CR LF CR before the signature is stored as LF LF CR.
    QCOMPARE(QString::fromUtf8(*message), typed + QStringLiteral("\n\n\rAna@Brisquel v2.4b"));
}

QTEST_GUILESS_MAIN(TestNetEndToEnd)
#include "tst_net_endtoend.moc"
