// A message from another machine, end to end: the real brisquel-receiver on
// loopback (this test runs in a network of its own), Samba's own smbclient
// sending to it, and the real program on a private X display with a tray
// host, connected to the receiver's socket. The message pops up while the
// user types without taking the keys; brought forward, Alt+R opens the reply
// strip, and Enter sends the reply, signed, to the address the message came
// from through a stand-in `net`. The receiver hears the message was shown.

#include "brisquelsession.h"
#include "privatedesktoptest.h"
#include "settingsfixture.h"
#include "support/virtualdisplay.h"
#include "tools/receiver/runningreceiver.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

// The receiver's configuration names this machine PEPE-PC: a message to it
// goes to every desktop connected.
const QString kMachine = QStringLiteral("PEPE-PC");
const QString kReceivedCaption = QStringLiteral("^Mensaje de ANA$");
constexpr int kArrivalTimeoutMs = 10000;

QString counting(int left)
{
    return QStringLiteral("Brisquel v2.4b - Quedan %1 letras...").arg(left);
}

} // namespace

class TestE2eReceived : public PrivateDesktopTest
{
    Q_OBJECT

public:
    TestE2eReceived()
        : PrivateDesktopTest(Tray::With)
    {
    }

private slots:
    void aMessageArrivesWhileTypingAndIsAnswered();

private:
    // smbclient -M, as ANA, with `text` on its standard input. Empty on
    // success (the receiver answers only once the message is on disk),
    // otherwise what smbclient said.
    static QString sendWithSmbclient(const RunningReceiver &receiver, const QByteArray &text);
    // Waits until the receiver has been told the message was shown: its
    // marker of the newest acknowledged message, and no message waiting.
    static bool waitForAcknowledgement(const RunningReceiver &receiver, int timeoutMs);
};

QString TestE2eReceived::sendWithSmbclient(const RunningReceiver &receiver, const QByteArray &text)
{
    // An empty configuration of its own, so the machine's smb.conf plays no
    // part; -I gives the address, so no name is looked up.
    const QString config = QDir(receiver.folder()).filePath(QStringLiteral("smbclient.conf"));
    QFile empty(config);
    if (!empty.open(QIODevice::WriteOnly))
        return QStringLiteral("cannot write ") + config;
    empty.close();
    const ProgramRun run = runProgram(QStringLiteral("smbclient"),
                                      {QStringLiteral("-s"), config, QStringLiteral("-M"), kMachine,
                                       QStringLiteral("-I"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"),
                                       QStringLiteral("139"), QStringLiteral("-U"), QStringLiteral("ANA"),
                                       QStringLiteral("-N")},
                                      text);
    if (run.exitCode == 0)
        return {};
    return QStringLiteral("smbclient ended with %1: %2 %3")
        .arg(run.exitCode)
        .arg(QString::fromLocal8Bit(run.output), QString::fromLocal8Bit(run.errorOutput));
}

bool TestE2eReceived::waitForAcknowledgement(const RunningReceiver &receiver, int timeoutMs)
{
    const QDir spool(receiver.spoolPath());
    const QDeadlineTimer deadline(timeoutMs);
    do {
        if (!spool.entryList({QStringLiteral("*.acked")}, QDir::Files).isEmpty()
            && spool.entryList({QStringLiteral("*.msg")}, QDir::Files).isEmpty())
            return true;
        QTest::qSleep(25);
    } while (!deadline.hasExpired());
    return false;
}

void TestE2eReceived::aMessageArrivesWhileTypingAndIsAnswered()
{
    const QString noPorts = RunningReceiver::whyUnavailable();
    if (!noPorts.isEmpty())
        QSKIP(qPrintable(noPorts + QStringLiteral(" (run it in a private network namespace)")));
    if (QStandardPaths::findExecutable(QStringLiteral("smbclient")).isEmpty())
        QSKIP("No smbclient here (Debian's smbclient package) to send a message with");

    RunningReceiver receiver;
    const QString receiving = receiver.start();
    QVERIFY2(receiving.isEmpty(), qPrintable(QStringLiteral("brisquel-receiver did not start: ") + receiving));

    BrisquelSession program(*m_display);
    program.setEnvironmentValue(QStringLiteral("BRISQUEL_RECEIVER_SOCKET"), receiver.socketPath());
    for (const QString &problem : {program.prepare(plainAnaSettings().bytes()), program.start(),
                                   program.answerGreeting(true), program.waitForMainWindow()})
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

    // The user is typing when the message comes. Ana signs with her name:
    // 850 letters less her three, less what she typed.
    program.type(QStringLiteral("Hola"));
    QCOMPARE(program.waitForCaption(counting(843)), counting(843));

    // A desktop of the same user, beside the program, sees what the
    // receiver hands over.
    DesktopClient witness;
    QVERIFY2(witness.connectTo(receiver.socketPath()), "cannot connect to the receiver's socket");
    const QString sent = sendWithSmbclient(receiver, "¿Comemos juntos?");
    QVERIFY2(sent.isEmpty(), qPrintable(sent));
    const QList<QJsonObject> lines = witness.waitForMessages(1);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.first().value(QStringLiteral("from")).toString(), QStringLiteral("ANA"));
    QCOMPARE(lines.first().value(QStringLiteral("address")).toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(lines.first().value(QStringLiteral("text")).toString(), QStringLiteral("¿Comemos juntos?"));

    const QString received = m_display->waitForWindow(kReceivedCaption, kArrivalTimeoutMs);
    QVERIFY2(!received.isEmpty(), "the receiver handed the message over, but no \"Mensaje de ANA\" window came");

    // It came on top without taking the keys: the user types on into the
    // message box.
    QCOMPARE(m_display->xdotool({QStringLiteral("getwindowfocus")}), program.mainWindow());
    program.type(QStringLiteral(" Pepe"));
    QCOMPARE(program.waitForCaption(counting(838)), counting(838));
    QVERIFY2(waitForAcknowledgement(receiver, 5000), "the receiver was not told the message was shown");

    // Brought forward, it takes keys as any window: Alt+R, the reply, Enter.
    m_display->xdotool({QStringLiteral("windowraise"), received});
    m_display->xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), received});
    QVERIFY2(program.waitForFocus(received), "the message's window did not take the focus");
    const QStringList before = program.visibleWindows();
    program.key(QStringLiteral("alt+r"));
    const QString strip = program.waitForNewWindow(before);
    QVERIFY2(!strip.isEmpty(), "Alt+R opened no reply strip");
    QVERIFY2(program.waitForFocus(strip), "the reply strip did not take the keys");
    const QString reply = QStringLiteral("Vale, a la una");
    program.type(reply);
    program.key(QStringLiteral("Return"));
    QCOMPARE(describeCalls(program.takeCalls(1)),
             describeCalls({{QStringLiteral("send"), QStringLiteral("127.0.0.1"),
                             reply + QStringLiteral("\n\r\n\rAna@Brisquel v2.4b")}}));
    QVERIFY2(program.waitForWindowGone(strip), "the reply strip stayed after sending");
    // The message being typed is still there, untouched.
    QCOMPARE(program.caption(), counting(838));
}

QTEST_GUILESS_MAIN(TestE2eReceived)
#include "tst_e2e_received.moc"
