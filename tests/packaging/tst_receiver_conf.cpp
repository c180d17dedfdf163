// The configuration file the receiver's package installs lists every
// setting, commented out, with its default: it must read as it is, and with
// every line taken in, it must give the program's own defaults.

#include "tools/receiver/receiverconfig.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace brisquel::receiver;

class ReceiverConfTest : public QObject
{
    Q_OBJECT

private slots:
    void theExampleShowsTheDefaults();
};

void ReceiverConfTest::theExampleShowsTheDefaults()
{
    QFile file(QStringLiteral(RECEIVER_CONF));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();

    const ConfigRead asShipped = parseReceiverConfig(text, file.fileName());
    QCOMPARE(asShipped.problem, QString());

    const QByteArray uncommented =
        QString::fromUtf8(text).replace(QRegularExpression(QStringLiteral("(?m)^;\\s*(?=\\w)")), QString()).toUtf8();
    QVERIFY(uncommented.count('=') >= 15);
    const ConfigRead read = parseReceiverConfig(uncommented, file.fileName());
    QCOMPARE(read.problem, QString());
    const ReceiverConfig &shown = read.config;
    const ReceiverConfig defaults;
    // The name and the networks come from the machine; the file gives examples.
    QCOMPARE(shown.listen, defaults.listen);
    QCOMPARE(shown.ports, defaults.ports);
    QCOMPARE(shown.announceUsers, defaults.announceUsers);
    QCOMPARE(shown.charset, defaults.charset);
    QCOMPARE(shown.socketPath, defaults.socketPath);
    QCOMPARE(shown.spoolPath, defaults.spoolPath);
    QCOMPARE(shown.sambaConfig, defaults.sambaConfig);
    QCOMPARE(shown.maxConnections, defaults.maxConnections);
    QCOMPARE(shown.maxConnectionsPerSource, defaults.maxConnectionsPerSource);
    QCOMPARE(shown.messagesPerMinute, defaults.messagesPerMinute);
    QCOMPARE(shown.spoolMessages, defaults.spoolMessages);
    QCOMPARE(shown.spoolBytes, defaults.spoolBytes);
    QCOMPARE(shown.idleTimeoutSeconds, defaults.idleTimeoutSeconds);
}

QTEST_GUILESS_MAIN(ReceiverConfTest)
#include "tst_receiver_conf.moc"
