// The real `net` program against a real Samba server on loopback: what the
// receiver stores is what was sent, and failures say so quickly.

#include "privatesamba.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <memory>

namespace {

const QString kNet = QStringLiteral(NET_PROGRAM);

struct NetRun {
    bool finished = false;
    int exitCode = -1;
    QByteArray errorOutput;
    qint64 elapsedMs = 0;
};

NetRun runNet(const QStringList &arguments)
{
    QProcess net;
    QElapsedTimer clock;
    clock.start();
    net.start(kNet, arguments);
    NetRun run;
    run.finished = net.waitForFinished(20000);
    run.elapsedMs = clock.elapsed();
    if (!run.finished) {
        net.kill();
        net.waitForFinished(2000);
    }
    run.exitCode = net.exitStatus() == QProcess::NormalExit ? net.exitCode() : -1;
    run.errorOutput = net.readAllStandardError();
    return run;
}

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
    // Starts servers of its own, so it comes last.
    void otherServers_data();
    void otherServers();

private:
    std::unique_ptr<PrivateSamba> m_samba;
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
    const NetRun run = runNet(QStringList{"send", name} + words);
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
        << QStringList{"send", "no-existe.invalid", "Hola"} << 2
        << QStringLiteral("net: no se pudo enviar el mensaje a \"no-existe.invalid\": no existe el equipo.\n");
    // Samba listens on 127.0.0.1 only; 127.0.0.2 is loopback too, and closed.
    QTest::newRow("closed port")
        << QStringList{"send", "127.0.0.2", "Hola"} << 3
        << QStringLiteral("net: no se pudo enviar el mensaje a \"127.0.0.2\": no responde.\n");
    QTest::newRow("everyone")
        << QStringList{"send", "*", "Hola"} << 1
        << QStringLiteral("net: no se puede enviar a \"*\" (toda la red); indique el nombre o la dirección de un "
                          "equipo.\n");
    QTest::newRow("no arguments") << QStringList{} << 1 << QStringLiteral("Uso: net send NOMBRE MENSAJE...\n");
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
    QVERIFY2(run.elapsedMs < 5000, qPrintable(QString::number(run.elapsedMs)));
    QVERIFY(!m_samba->takeMessage(100));
}

void TestNetSamba::otherServers_data()
{
    QTest::addColumn<quint16>("port");
    QTest::addColumn<bool>("acceptMessages");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");

    QTest::newRow("refuses messages") << quint16(139) << false << 4
                                      << QStringLiteral("net: no se pudo enviar el mensaje a \"localhost\": "
                                                        "rechazó el mensaje.\n");
    QTest::newRow("TCP 445 only") << quint16(445) << true << 0 << QString();
}

void TestNetSamba::otherServers()
{
    QFETCH(quint16, port);
    QFETCH(bool, acceptMessages);
    QFETCH(int, exitCode);
    QFETCH(QString, error);

    m_samba.reset();
    const QString unavailable = PrivateSamba::whyUnavailable(port);
    if (!unavailable.isEmpty())
        QSKIP(qPrintable(unavailable));
    PrivateSamba samba({port, acceptMessages});
    const QString problem = samba.start();
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    const NetRun run = runNet({"send", "localhost", "Hola"});
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QString::fromUtf8(run.errorOutput), error);
    QCOMPARE(samba.takeMessage(acceptMessages ? 5000 : 100), acceptMessages ? std::optional<QByteArray>("Hola")
                                                                            : std::nullopt);
}

QTEST_GUILESS_MAIN(TestNetSamba)
#include "tst_net_samba.moc"
