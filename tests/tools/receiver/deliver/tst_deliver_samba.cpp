// Samba mode as the README sets it up: a private Samba server holds port
// 139 and runs brisquel-deliver as its message command; the receiver, which
// finds the port taken, serves only its Unix socket. A message sent with
// Samba's own smbclient reaches a desktop connected to that socket.

#include "tools/net/privatesamba.h"
#include "tools/receiver/runningreceiver.h"

#include <QDateTime>
#include <QTest>

class DeliverSambaTest : public QObject
{
    Q_OBJECT

private slots:
    void aMessageSambaReceivedReachesTheDesktop();
};

void DeliverSambaTest::aMessageSambaReceivedReachesTheDesktop()
{
    const QString unavailable = PrivateSamba::whyUnavailable(139);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));

    RunningReceiver receiver;
    PrivateSamba samba;
    // The line smb.conf gets, with the test's socket instead of the system's.
    // Samba gives the time for %t, so the recipient is %L, the name the
    // sender called.
    samba.setMessageCommand("env BRISQUEL_RECEIVER_SOCKET=" + receiver.socketPath().toUtf8() + " "
                            + QByteArray(DELIVER_PROGRAM) + " %I %f %L %s &");
    const QString sambaProblem = samba.start();
    if (!sambaProblem.isEmpty())
        QSKIP(qPrintable(sambaProblem));
    const QString receiverProblem = receiver.start();
    QVERIFY2(receiverProblem.isEmpty(), qPrintable(receiverProblem));
    QVERIFY2(receiver.errorOutput().contains("Samba"), receiver.errorOutput().constData());

    const QString text = QStringLiteral("¿Comemos juntos, Señor Muñoz?\nA las dos.");
    const ProgramRun run = runProgram(QStringLiteral("smbclient"),
                                      {QStringLiteral("-M"), QStringLiteral("pepe-pc"), QStringLiteral("-I"),
                                       QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QStringLiteral("139"),
                                       QStringLiteral("-U"), QStringLiteral("ana"), QStringLiteral("-N"),
                                       QStringLiteral("-s"), samba.configFile()},
                                      text.toUtf8());
    QCOMPARE(run.exitCode, 0);

    DesktopClient desktop;
    QVERIFY(desktop.connectTo(receiver.socketPath()));
    const QList<QJsonObject> lines = desktop.waitForMessages(1, 15000);
    QCOMPARE(lines.size(), 1);
    const QJsonObject message = lines.constFirst();
    QCOMPARE(message.value("from").toString(), QStringLiteral("ana"));
    QCOMPARE(message.value("to").toString(), QStringLiteral("pepe-pc"));
    QCOMPARE(message.value("address").toString(), QStringLiteral("127.0.0.1"));
    QCOMPARE(message.value("text").toString(), text);
}

QTEST_GUILESS_MAIN(DeliverSambaTest)
#include "tst_deliver_samba.moc"
