// Real clients against the real service on loopback: Samba's smbclient and
// nmblookup, which we did not write, and our own net, by name and by
// address. What counts is what a desktop reads from the socket.

#include "rawsender.h"
#include "runningreceiver.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kNet = QStringLiteral(NET_PROGRAM);

// 850 characters with accents, ending in a signature behind the old
// receivers' line break, byte 0x14.
QString signedMessage()
{
    QString text;
    const QString words = QStringLiteral("Añoranza, acción, pingüino, ¿qué? ¡Sí! ");
    while (text.size() < 850 - 12)
        text += words;
    text.truncate(850 - 12);
    return text + QChar(0x14) + QStringLiteral("-- Ana Pérez");
}

} // namespace

class TestReceiverClients : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = RunningReceiver::whyUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void init()
    {
        QVERIFY(startAnew(m_receiver));
        // net finds names through the receiver's own name service.
        m_netConfig = m_receiver->folder() + QStringLiteral("/net.conf");
        QFile config(m_netConfig);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("[global]\nname resolve order = wins\nwins server = 127.0.0.1\n");
    }

    void cleanup() { m_receiver.reset(); }

    void smbclientDeliversAndTheDesktopAcknowledges()
    {
        const ProgramRun run = runProgram(QStringLiteral("smbclient"),
                                          {QStringLiteral("-M"), QStringLiteral("pepe-pc"), QStringLiteral("-I"),
                                           QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QStringLiteral("139"),
                                           QStringLiteral("-U"), QStringLiteral("ana"), QStringLiteral("-N")},
                                          QStringLiteral("¿Comemos juntos, Señor Muñoz?").toUtf8());
        QCOMPARE(run.exitCode, 0);

        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QList<QJsonObject> lines = desktop.waitForMessages(1);
        QCOMPARE(lines.size(), 1);
        const QJsonObject message = lines.constFirst();
        QCOMPARE(message.value("from").toString(), QStringLiteral("ana"));
        QCOMPARE(message.value("to").toString(), QStringLiteral("pepe-pc"));
        QCOMPARE(message.value("address").toString(), QStringLiteral("127.0.0.1"));
        QCOMPARE(message.value("text").toString(), QStringLiteral("¿Comemos juntos, Señor Muñoz?"));
        QVERIFY(QDateTime::fromString(message.value("received").toString(), Qt::ISODate).isValid());

        // Unacknowledged, it comes again; acknowledged, never.
        DesktopClient again;
        QVERIFY(again.connectTo(m_receiver->socketPath()));
        QCOMPARE(again.waitForMessages(1).size(), 1);
        desktop.acknowledge(message.value("id").toInteger());
        QTest::qWait(200);
        DesktopClient later;
        QVERIFY(later.connectTo(m_receiver->socketPath()));
        QCOMPARE(later.linesWithin(300).size(), 0);
    }

    void nmblookupFindsOnlyOurName()
    {
        const auto lookUp = [](const QString &name) {
            return runProgram(QStringLiteral("nmblookup"), {QStringLiteral("-U"), QStringLiteral("127.0.0.1"), name})
                .output;
        };
        QVERIFY2(lookUp(QStringLiteral("PEPE-PC#03")).contains("127.0.0.1 PEPE-PC<03>"), lookUp("PEPE-PC#03"));
        QVERIFY(lookUp(QStringLiteral("pepe-pc#03")).toUpper().contains("127.0.0.1 PEPE-PC<03>"));
        QVERIFY(lookUp(QStringLiteral("PEPE-PC#20")).contains("failed to find name"));
        QVERIFY(lookUp(QStringLiteral("OTRO#03")).contains("failed to find name"));
    }

    void netDeliversByNameAndByAddressExactly()
    {
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QString message = signedMessage();
        const ProgramRun byName = runProgram(kNet, {QStringLiteral("-s"), m_netConfig, QStringLiteral("send"),
                                                    QStringLiteral("pepe-pc"), message});
        QVERIFY2(byName.exitCode == 0, byName.errorOutput);
        const ProgramRun byAddress =
            runProgram(kNet, {QStringLiteral("-s"), m_netConfig, QStringLiteral("send"), QStringLiteral("127.0.0.1"),
                              QStringLiteral("Línea uno\x14Línea dos\ttres\x01\x7F")});
        QVERIFY2(byAddress.exitCode == 0, byAddress.errorOutput);

        const QList<QJsonObject> lines = desktop.waitForMessages(2);
        QCOMPARE(lines.size(), 2);
        QString expected = message;
        expected.replace(QChar(0x14), u'\n');
        QCOMPARE(lines[0].value("text").toString(), expected);
        QCOMPARE(lines[0].value("to").toString(), QStringLiteral("PEPE-PC"));
        QCOMPARE(lines[1].value("text").toString(), QStringLiteral("Línea uno\nLínea dos\ttres"));
        QCOMPARE(lines[1].value("to").toString(), QStringLiteral("127.0.0.1"));
        QVERIFY(lines[0].value("id").toInteger() < lines[1].value("id").toInteger());
    }

    void directSmbOn445WhenAsked()
    {
        QVERIFY(startAnew(m_receiver, "ports = 139 445\n"));
        RawSender direct;
        QVERIFY(direct.open({}, 445));
        QVERIFY(direct.sendMessage("ANA", "PEPE-PC", "por el 445"));
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        QCOMPARE(desktop.waitForMessages(1).value(0).value("text").toString(), QStringLiteral("por el 445"));
    }

    void underSystemdItTakesTheNamedSockets()
    {
        m_receiver.reset();
        const QString activate = QStandardPaths::findExecutable(QStringLiteral("systemd-socket-activate"));
        if (activate.isEmpty())
            QSKIP("systemd-socket-activate is not installed");
        // Two layers, as the two socket units: the outer one passes its UDP
        // socket on to the inner one.
        QTemporaryDir folder;
        const QString config = folder.filePath(QStringLiteral("receiver.conf"));
        const QString socket = folder.filePath(QStringLiteral("receiver.sock"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("netbios name = PEPE-PC\nspool = " + folder.filePath(QStringLiteral("spool")).toUtf8() + "\n");
        file.close();
        QProcess service;
        service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        service.start(activate, {QStringLiteral("-d"), QStringLiteral("-l"), QStringLiteral("127.0.0.1:137"),
                                 QStringLiteral("--fdname=network"), activate, QStringLiteral("-l"),
                                 QStringLiteral("127.0.0.1:139"), QStringLiteral("-l"), socket,
                                 QStringLiteral("--fdname=network:network:clients"),
                                 QStringLiteral(RECEIVER_PROGRAM), QStringLiteral("--config"), config});
        QVERIFY(service.waitForStarted());
        QTest::qWait(300);
        // The first query starts the service, as systemd would.
        const ProgramRun lookup = runProgram(QStringLiteral("nmblookup"),
                                             {QStringLiteral("-U"), QStringLiteral("127.0.0.1"), QStringLiteral("PEPE-PC#03")});
        QVERIFY2(lookup.output.contains("127.0.0.1 PEPE-PC<03>"), lookup.output);
        RawSender sender;
        QVERIFY(sender.open());
        QVERIFY(sender.sendMessage("ANA", "PEPE-PC", "activado"));
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(socket));
        QCOMPARE(desktop.waitForMessages(1).value(0).value("text").toString(), QStringLiteral("activado"));
        service.kill();
        service.waitForFinished();
    }

private:
    std::unique_ptr<RunningReceiver> m_receiver;
    QString m_netConfig;
};

QTEST_GUILESS_MAIN(TestReceiverClients)
#include "tst_receiver_clients.moc"
