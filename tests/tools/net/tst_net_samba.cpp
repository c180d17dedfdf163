// The real `net` program against a real Samba server on loopback: what the
// receiver stores is what was sent, and failures say so quickly.

#include "fakenameserver.h"
#include "privatesamba.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

namespace {

const QString kNet = QStringLiteral(NET_PROGRAM);

struct NetRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray errorOutput;
    QByteArray output;
    qint64 elapsedMs = 0;
};

// The event loop runs meanwhile, so a name server of the test's own answers.
NetRun runNet(const QStringList &arguments)
{
    QProcess net;
    QEventLoop loop;
    QObject::connect(&net, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&net, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    net.start(kNet, arguments);
    loop.exec();
    NetRun run;
    run.finished = net.state() == QProcess::NotRunning;
    run.elapsedMs = clock.elapsed();
    if (!run.finished) {
        net.kill();
        net.waitForFinished(2000);
    }
    run.exitCode = net.exitStatus() == QProcess::NormalExit ? net.exitCode() : -1;
    run.errorOutput = net.readAllStandardError();
    run.output = net.readAllStandardOutput();
    return run;
}

// A Samba configuration of the test's own for `net -s`: names are asked of
// the test's name server on loopback, then of the system resolver, and
// never broadcast.
struct TestConfig {
    FakeNameServer nameServer;
    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("smb.conf"));
    TestConfig()
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(nameServer.configLines());
    }
    QStringList send(const QString &name, const QStringList &words) const
    {
        return QStringList{QStringLiteral("-s"), path, QStringLiteral("send"), name} + words;
    }
};

} // namespace

class TestNetSamba : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void delivery_data();
    void delivery();
    void failures_data();
    void failures();
    void netbiosOnlyName();
    void optionsAfterSendAndIncludes();
    void helpAndVersion();
    void stuckLookupEndsWithTheReport();
    // Starts servers of its own, so it comes last.
    void otherServers_data();
    void otherServers();

private:
    std::unique_ptr<PrivateSamba> m_samba;
    TestConfig m_config;
};

void TestNetSamba::initTestCase()
{
    QVERIFY2(QFile::exists(kNet), qPrintable(kNet));
    const QString unavailable = PrivateSamba::whyUnavailable(139);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(QStringLiteral("No private Samba server: ") + unavailable));
    m_samba = std::make_unique<PrivateSamba>();
    const QString problem = m_samba->start();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void TestNetSamba::cleanupTestCase()
{
    m_samba.reset();
}

void TestNetSamba::delivery_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QByteArray>("stored");

    const QString localhost = QStringLiteral("localhost");
    QTest::newRow("short message") << localhost << QStringList{"Hola"} << QByteArray("Hola");
    QTest::newRow("to an IP address") << QStringLiteral("127.0.0.1") << QStringList{"Hola"} << QByteArray("Hola");
    QTest::newRow("several words, joined by one blank")
        << localhost << QStringList{"Hola", "a", "todos"} << QByteArray("Hola a todos");
    // The receiver keeps a lone LF and a lone CR, and stores CR LF as LF:
    // LF CR LF CR arrives as LF LF CR.
    QTest::newRow("Spanish letters and the signature")
        << localhost << QStringList{QStringLiteral("á é í ó ú ñ ¿Sí? ¡Claro! ÁÉÍÓÚÑ\n\r\n\rAna@Brisquel v2.4b")}
        << QByteArray("\xC3\xA1 \xC3\xA9 \xC3\xAD \xC3\xB3 \xC3\xBA \xC3\xB1 \xC2\xBFS\xC3\xAD? \xC2\xA1" "Claro! "
                      "\xC3\x81\xC3\x89\xC3\x8D\xC3\x93\xC3\x9A\xC3\x91\n\n\rAna@Brisquel v2.4b");

    QString long850;
    while (long850.size() < 850)
        long850 += QStringLiteral("El pingüino Wenceslao hizo kilómetros bajo exhaustiva lluvia y frío, añoraba a su querido cachorro. ");
    long850.truncate(850);
    QTest::newRow("850 characters, seven pieces") << localhost << QStringList{long850} << long850.toUtf8();

    const QString boundary = QString(126, u'a') + QStringLiteral("ñé") + QString(126, u'b') + QStringLiteral("ÓÚ");
    QTest::newRow("piece boundary inside an accented letter") << localhost << QStringList{boundary} << boundary.toUtf8();
    QTest::newRow("euro sign becomes ?") << localhost << QStringList{QStringLiteral("Cuesta 5 € al mes")}
                                         << QByteArray("Cuesta 5 ? al mes");
}

void TestNetSamba::delivery()
{
    QFETCH(QString, name);
    QFETCH(QStringList, words);
    QFETCH(QByteArray, stored);

    m_samba->clearInbox();
    const NetRun run = runNet(m_config.send(name, words));
    QVERIFY(run.finished);
    QCOMPARE(run.errorOutput, QByteArray());
    QCOMPARE(run.exitCode, 0);
    const std::optional<QByteArray> message = m_samba->takeMessage();
    QVERIFY2(message.has_value(), "nothing reached the inbox");
    QCOMPARE(*message, stored);
}

void TestNetSamba::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("name that does not resolve")
        << QStringList{"send", "no-existe.invalid", "Hola"} << 1
        << QStringLiteral("net: no se pudo enviar el mensaje a \"no-existe.invalid\": no existe el equipo.\n");
    // Samba listens on 127.0.0.1 only; 127.0.0.2 is loopback too, and closed.
    QTest::newRow("closed port")
        << QStringList{"send", "127.0.0.2", "Hola"} << 3
        << QStringLiteral("net: no se pudo enviar el mensaje a \"127.0.0.2\": no responde.\n");
    QTest::newRow("everyone")
        << QStringList{"send", "*", "Hola"} << 2
        << QStringLiteral("net: no se puede enviar a \"*\" (toda la red); prueba «net --help».\n");
    QTest::newRow("no arguments") << QStringList{} << 2
                                  << QStringLiteral("net: falta la orden send; prueba «net --help».\n");
    QTest::newRow("NetBIOS name too long")
        << QStringList{"send", "contabilidad-planta2", "Hola"} << 2
        << QStringLiteral("net: el nombre de equipo \"contabilidad-planta2\" tiene más de 15 caracteres; "
                          "prueba «net --help».\n");
    QTest::newRow("empty name") << QStringList{"send", "", "Hola"} << 2
                                << QStringLiteral("net: el nombre de equipo está vacío; prueba «net --help».\n");
    QTest::newRow("option after send, unknown")
        << QStringList{"send", "-x", "localhost", "Hola"} << 2
        << QStringLiteral("net: opción desconocida: -x; prueba «net --help».\n");
    QTest::newRow("configuration file that is a device")
        << QStringList{"send", "-s", "/dev/zero", "127.0.0.1", "Hola"} << 2
        << QStringLiteral("net: no se puede leer el archivo de configuración /dev/zero: no es un fichero normal.\n");
    // A NetBIOS name of digits, which neither the name server nor the
    // system resolver knows (it only reads it as 0.0.7.208).
    QTest::newRow("all-digit name nobody knows")
        << m_config.send(QStringLiteral("2000"), {QStringLiteral("Hola")}) << 1
        << QStringLiteral("net: no se pudo enviar el mensaje a \"2000\": no existe el equipo.\n");
    QTest::newRow("configuration file that cannot be read")
        << QStringList{"-s", "/nonexistent/smb.conf", "send", "127.0.0.1", "Hola"} << 2
        << QStringLiteral("net: no se puede leer el archivo de configuración /nonexistent/smb.conf: ");
}

void TestNetSamba::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    m_samba->clearInbox();
    const NetRun run = runNet(arguments);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.errorOutput).startsWith(error), run.errorOutput.constData());
    // One line, its reason, and nothing after it.
    QCOMPARE(run.errorOutput.count('\n'), 1);
    QVERIFY(run.errorOutput.endsWith('\n'));
    QCOMPARE(run.output, QByteArray());
    QVERIFY2(run.elapsedMs < 5000, qPrintable(QString::number(run.elapsedMs)));
    QVERIFY(!m_samba->takeMessage(100));
}

// A name that neither /etc/hosts nor DNS knows, only the name server;
// then one nobody knows, told in time and with its own exit status.
void TestNetSamba::netbiosOnlyName()
{
    m_samba->clearInbox();
    m_config.nameServer.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    NetRun run = runNet(m_config.send(QStringLiteral("pepe-pc"), {QStringLiteral("¿Comemos?")}));
    QVERIFY(run.finished);
    QCOMPARE(run.errorOutput, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(m_samba->takeMessage(), std::optional<QByteArray>("¿Comemos?"));
    QCOMPARE(m_config.nameServer.queries.last(), FakeNameServer::rawName("PEPE-PC", 0x03));

    TestConfig winsOnly;
    QFile file(winsOnly.path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(winsOnly.nameServer.configLines("wins"));
    file.close();
    run = runNet(winsOnly.send(QStringLiteral("nadie"), {QStringLiteral("Hola")}));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.errorOutput, QByteArray("net: no se pudo enviar el mensaje a \"nadie\": no existe el equipo.\n"));
    QVERIFY2(run.elapsedMs < 2000, qPrintable(QString::number(run.elapsedMs)));
    QVERIFY(!m_samba->takeMessage(100));
}

// As with Samba's tools: "-s" after "send", and the name server named in a
// file that the given one includes by a path relative to itself; from the
// name on, dashes are message.
void TestNetSamba::optionsAfterSendAndIncludes()
{
    m_samba->clearInbox();
    FakeNameServer nameServer;
    nameServer.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("red")));
    QFile included(folder.filePath(QStringLiteral("red/nombres.conf")));
    QVERIFY(included.open(QIODevice::WriteOnly));
    included.write(nameServer.configLines("wins"));
    included.close();
    const QString config = folder.filePath(QStringLiteral("smb.conf"));
    QFile main(config);
    QVERIFY(main.open(QIODevice::WriteOnly));
    main.write("[global]\n  workgroup = OFICINA\n  include = red/nombres.conf\n");
    main.close();

    const NetRun run = runNet({QStringLiteral("send"), QStringLiteral("-s"), config, QStringLiteral("pepe-pc"),
                               QStringLiteral("-s"), QStringLiteral("hola")});
    QVERIFY(run.finished);
    QCOMPARE(run.errorOutput, QByteArray());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(m_samba->takeMessage(), std::optional<QByteArray>("-s hola"));
    QCOMPARE(nameServer.queries, QList<QByteArray>{FakeNameServer::rawName("PEPE-PC", 0x03)});
}

void TestNetSamba::helpAndVersion()
{
    NetRun run = runNet({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.errorOutput, QByteArray());
    QVERIFY(run.output.startsWith("Uso: net [-s FICHERO] send NOMBRE MENSAJE...\n"));
    // The exit statuses are documented where the user looks.
    for (const char *status : {"  0  mensaje entregado\n", "  1  no existe el equipo\n", "  2  uso incorrecto",
                               "  3  el equipo no responde\n", "  4  el equipo rechazó el mensaje\n"})
        QVERIFY2(QString::fromUtf8(run.output).contains(QString::fromUtf8(status)), status);

    run = runNet({QStringLiteral("--version")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.output.startsWith("net (Brisquel) "));
}

// A DNS server that never answers (a silent socket on loopback, named in a
// resolv.conf seen only by net, through a mount namespace of its own): net
// reports at its lookup limit and ends then, not when the lookup gives up.
void TestNetSamba::stuckLookupEndsWithTheReport()
{
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty())
        QSKIP("no unshare (Debian package util-linux)");
    QUdpSocket silentDns;
    QVERIFY2(silentDns.bind(QHostAddress(QStringLiteral("127.83.1.1")), 53), qPrintable(silentDns.errorString()));
    QTemporaryDir folder;
    QFile resolvConf(folder.filePath(QStringLiteral("resolv.conf")));
    QVERIFY(resolvConf.open(QIODevice::WriteOnly));
    resolvConf.write("nameserver 127.83.1.1\noptions timeout:30 attempts:1\n");
    resolvConf.close();

    QProcess net;
    net.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    net.start(unshare, {QStringLiteral("--mount"), QStringLiteral("sh"), QStringLiteral("-c"),
                        QStringLiteral("mount --bind \"$1\" /etc/resolv.conf && exec \"$2\" send lento.invalid Hola"),
                        QStringLiteral("sh"), resolvConf.fileName(), kNet});
    QVERIFY(net.waitForFinished(40000));
    const qint64 elapsed = clock.elapsed();
    const QByteArray said = net.readAll();
    if (said.contains("unshare") || said.contains("mount"))
        QSKIP(qPrintable(QStringLiteral("no private mount namespace here: ") + QString::fromUtf8(said)));
    QCOMPARE(said, QByteArray("net: no se pudo enviar el mensaje a \"lento.invalid\": no existe el equipo.\n"));
    QCOMPARE(net.exitCode(), 1);
    QVERIFY2(elapsed < 5000, qPrintable(QString::number(elapsed)));
}

void TestNetSamba::otherServers_data()
{
    QTest::addColumn<quint16>("port");
    QTest::addColumn<bool>("acceptMessages");
    QTest::addColumn<bool>("smb1");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("refuses messages") << quint16(139) << false << true << 4
                                      << QStringLiteral("net: no se pudo enviar el mensaje a \"localhost\": "
                                                        "rechazó el mensaje.\n");
    QTest::newRow("TCP 445 only") << quint16(445) << true << true << 0 << QString();
    // Samba as it ships: it takes the session, then hangs up on the SMB1
    // message request.
    QTest::newRow("SMB1 off") << quint16(139) << true << false << 4
                              << QStringLiteral("net: no se pudo enviar el mensaje a \"localhost\": "
                                                "no acepta mensajes por SMB1.\n");
    QTest::newRow("SMB1 off, TCP 445 only") << quint16(445) << true << false << 4
                                            << QStringLiteral("net: no se pudo enviar el mensaje a \"localhost\": "
                                                              "no acepta mensajes por SMB1.\n");
}

void TestNetSamba::otherServers()
{
    QFETCH(quint16, port);
    QFETCH(bool, acceptMessages);
    QFETCH(bool, smb1);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    m_samba.reset();
    const QString unavailable = PrivateSamba::whyUnavailable(port);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));
    PrivateSamba samba({port, acceptMessages, smb1});
    const QString problem = samba.start();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    const NetRun run = runNet(m_config.send(QStringLiteral("localhost"), {QStringLiteral("Hola")}));
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(run.errorOutput), error);
    const bool delivered = exitCode == 0;
    QCOMPARE(samba.takeMessage(delivered ? 5000 : 100), delivered ? std::optional<QByteArray>("Hola")
                                                                  : std::nullopt);
}

QTEST_GUILESS_MAIN(TestNetSamba)
#include "tst_net_samba.moc"
