// The receiver's configuration file: what each key does to the service's
// settings, and a bad line stopping it with the file and line named.

#include "tools/receiver/receiverconfig.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace brisquel::receiver;

class TestReceiverConfig : public QObject
{
    Q_OBJECT

private slots:
    void keysInSambasForm()
    {
        const ConfigRead read = parseReceiverConfig("# comentario\n"
                                                    "; otro\n"
                                                    "[Global]\n"
                                                    "  Netbios Name = pepe-pc\n"
                                                    "listen = 127.0.0.1 192.0.2.1\n"
                                                    "ports = 139 445\n"
                                                    "allowed networks = 192.0.2.0/24, 10.0.0.7\n"
                                                    "announce users = Yes\n"
                                                    "charset = ISO-8859-15\n"
                                                    "spool bytes = 4096\n"
                                                    "idle timeout = 3\n",
                                                    QStringLiteral("r.conf"));
        QVERIFY2(read.problem.isEmpty(), qPrintable(read.problem));
        const ReceiverConfig &config = read.config;
        QCOMPARE(config.netbiosName, QStringLiteral("PEPE-PC"));
        QCOMPARE(config.listen, (QList<QHostAddress>{QHostAddress("127.0.0.1"), QHostAddress("192.0.2.1")}));
        QCOMPARE(config.ports, (QList<quint16>{139, 445}));
        QCOMPARE(config.allowedNetworks.size(), 2);
        QVERIFY(QHostAddress("192.0.2.200").isInSubnet(config.allowedNetworks[0]));
        QVERIFY(!QHostAddress("10.0.0.8").isInSubnet(config.allowedNetworks[1]));
        QVERIFY(config.announceUsers);
        QCOMPARE(config.charset, QStringLiteral("ISO-8859-15"));
        QCOMPARE(config.spoolBytes, 4096);
        QCOMPARE(config.idleTimeoutSeconds, 3);
        // What the file leaves out keeps its default.
        QCOMPARE(config.maxConnectionsPerSource, 8);
        QCOMPARE(config.messagesPerMinute, 30);
        QCOMPARE(config.socketPath, QStringLiteral("/run/brisquel/receiver.sock"));
    }

    void badLinesAreNamed_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("unknown key") << QByteArray("mesages per minute = 3") << "no se conoce la opción";
        QTest::newRow("no number") << QByteArray("idle timeout = diez") << "debe ser un número entero";
        QTest::newRow("zero") << QByteArray("max connections = 0") << "debe ser un número entero";
        QTest::newRow("port") << QByteArray("ports = 139 8080") << "admite 139 y 445";
        QTest::newRow("network") << QByteArray("allowed networks = 192.0.2.0/33") << "no es una red IPv4";
        QTest::newRow("IPv6") << QByteArray("listen = ::1") << "no es una dirección IPv4";
        QTest::newRow("yes or no") << QByteArray("announce users = quizá") << "es yes o no";
        QTest::newRow("charset") << QByteArray("charset = KLINGON") << "juego de caracteres";
        QTest::newRow("long name") << QByteArray("netbios name = UN-NOMBRE-MUY-LARGO") << "no es un nombre NetBIOS";
        QTest::newRow("relative") << QByteArray("spool = mensajes") << "ruta absoluta";
        QTest::newRow("no equals") << QByteArray("announce users") << "clave = valor";
        QTest::newRow("section") << QByteArray("[homes]") << "solo se admite la sección [global]";
    }

    void badLinesAreNamed()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, complaint);
        const ConfigRead read = parseReceiverConfig("[global]\n# bien\n" + line + "\n", QStringLiteral("/etc/r.conf"));
        QVERIFY2(read.problem.startsWith(QStringLiteral("/etc/r.conf, línea 3: ")), qPrintable(read.problem));
        QVERIFY2(read.problem.contains(complaint), qPrintable(read.problem));
    }

    void theServiceStopsOnABadLine()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("receiver.conf"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[global]\nspool = " + folder.path().toUtf8() + "\nports = 139 1445\n");
        file.close();
        QProcess receiver;
        receiver.start(QStringLiteral(RECEIVER_PROGRAM), {QStringLiteral("--config"), path, QStringLiteral("--foreground")});
        QVERIFY(receiver.waitForFinished(5000));
        QCOMPARE(receiver.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(receiver.readAllStandardError()),
                 QStringLiteral("brisquel-receiver: %1, línea 3: \"ports\" admite 139 y 445, no \"1445\"\n").arg(path));

        receiver.start(QStringLiteral(RECEIVER_PROGRAM), {QStringLiteral("--config"), folder.filePath("falta.conf")});
        QVERIFY(receiver.waitForFinished(5000));
        QCOMPARE(receiver.exitCode(), 2);
        QVERIFY(receiver.readAllStandardError().contains("falta.conf"));
    }

    void sambasGuestAccount()
    {
        QCOMPARE(sambaGuestAccount("[global]\n  guest account = invitado\n[homes]\nguest account = otro\n"),
                 QStringLiteral("invitado"));
        QCOMPARE(sambaGuestAccount("[global]\nworkgroup = CASA\n"), QStringLiteral("nobody"));
    }
};

QTEST_GUILESS_MAIN(TestReceiverConfig)
#include "tst_receiver_config.moc"
