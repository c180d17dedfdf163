// The messenger exchange against a scripted receiver on loopback: what
// arrives, and what the client makes of every way it can go wrong.

#include "fakenameserver.h"
#include "fakereceiver.h"

#include "tools/net/messengerclient.h"

#include <QElapsedTimer>
#include <QNetworkInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

using namespace brisquel::messenger;
using namespace brisquel::net;

Q_DECLARE_METATYPE(brisquel::net::SendOutcome)

namespace {

constexpr int kWaitMs = 5000;

// A port nothing listens on: taken, then let go.
quint16 closedPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return port;
}

// Names are looked up by the system resolver only: nothing is broadcast.
MessengerOptions quickOptions(QList<Endpoint> endpoints)
{
    MessengerOptions options;
    options.endpoints = std::move(endpoints);
    options.names.order = {ResolveMethod::Host};
    options.stepTimeoutMs = 400;
    return options;
}

// Our name server first, then the system resolver; no broadcast.
MessengerOptions withNameServer(QList<Endpoint> endpoints, const FakeNameServer &server)
{
    MessengerOptions options = quickOptions(std::move(endpoints));
    options.names = parseNameServiceSettings(server.configLines());
    return options;
}

struct Run {
    std::optional<SendOutcome> outcome;
    qint64 elapsedMs = 0;
};

Run deliver(const MessengerOptions &options, const QString &recipient, const QString &text)
{
    MessengerClient client(options);
    QSignalSpy finished(&client, &MessengerClient::finished);
    QElapsedTimer clock;
    clock.start();
    client.send({recipient, QStringLiteral("ana"), QStringLiteral("mi-equipo"), text});
    Run run;
    if (finished.wait(kWaitMs)) {
        run.outcome = finished.first().first().value<SendOutcome>();
        run.elapsedMs = clock.elapsed();
    }
    // A second outcome would be a fault; give it the chance to show.
    QTest::qWait(20);
    if (finished.size() != 1)
        run.outcome.reset();
    return run;
}

} // namespace

class TestNetClient : public QObject
{
    Q_OBJECT

private slots:
    void delivers_data();
    void delivers();
    void fallsBackToTheNextEndpoint();
    void failures_data();
    void failures();
    void unreachable_data();
    void unreachable();
    void slowButSteadyReceiver();
    void netbiosNames();
    void allDigitNames();
    void upperCaseWithinTheCodePage();
    void nameServiceAnswersAreChecked_data();
    void nameServiceAnswersAreChecked();
    void broadcastAnswersComeFromTheLocalNetwork();
};

void TestNetClient::delivers_data()
{
    QTest::addColumn<bool>("netbios");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QByteArray>>("pieces");

    QTest::newRow("TCP 139, short") << true << QStringLiteral("Hola") << QList<QByteArray>{"Hola"};
    QTest::newRow("TCP 445, no session request") << false << QStringLiteral("Hola") << QList<QByteArray>{"Hola"};
    QTest::newRow("signature and Spanish letters")
        << true << QStringLiteral("¿Qué?\n\r\n\rAna@Brisquel v2.4b")
        << QList<QByteArray>{QByteArray("\xA8Qu\x82?\n\r\n\rAna@Brisquel v2.4b")};
    QTest::newRow("three pieces, the last one short")
        << true << QString(200, u'a') + QString(54, u'ñ') + QStringLiteral("fin")
        << QList<QByteArray>{QByteArray(127, 'a'), QByteArray(73, 'a') + QByteArray(54, '\xA4'),
                             QByteArray("fin")};
    QTest::newRow("empty message: start and end only") << true << QString() << QList<QByteArray>{};
}

void TestNetClient::delivers()
{
    QFETCH(bool, netbios);
    QFETCH(QString, text);
    QFETCH(QList<QByteArray>, pieces);

    FakeReceiver receiver(netbios, FakeReceiver::Script::Accept);
    const Run run = deliver(quickOptions({{receiver.port(), netbios}}), QStringLiteral("localhost"), text);

    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(receiver.calledName, netbios ? QByteArray("LOCALHOST      \x03") : QByteArray());
    QCOMPARE(receiver.sender, QByteArray("ana"));
    // The receiver is told the name it was called by.
    QCOMPARE(receiver.recipient, QByteArray("LOCALHOST"));
    QCOMPARE(receiver.pieces, pieces);
    QVERIFY(receiver.ended);
    // Every request after send-start carries the group id it was given.
    QCOMPARE(receiver.groupIds, QList<quint16>(pieces.size() + 1, FakeReceiver::kGroupId));
}

void TestNetClient::fallsBackToTheNextEndpoint()
{
    FakeReceiver direct(false, FakeReceiver::Script::Accept);
    const Run run = deliver(quickOptions({{closedPort(), true}, {direct.port(), false}}),
                            QStringLiteral("127.0.0.1"), QStringLiteral("por el otro puerto"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(direct.pieces, QList<QByteArray>{"por el otro puerto"});
}

void TestNetClient::failures_data()
{
    QTest::addColumn<FakeReceiver::Script>("script");
    QTest::addColumn<SendOutcome>("outcome");

    QTest::newRow("called name not present") << FakeReceiver::Script::NegativeSession << SendOutcome::Refused;
    QTest::newRow("status on a piece") << FakeReceiver::Script::RefuseText << SendOutcome::Refused;
    QTest::newRow("never answers") << FakeReceiver::Script::Silent << SendOutcome::NoAnswer;
    QTest::newRow("hangs up") << FakeReceiver::Script::HangUp << SendOutcome::NoAnswer;
    QTest::newRow("hangs up on the first message request")
        << FakeReceiver::Script::HangUpOnSmb << SendOutcome::NoSmb1;
    QTest::newRow("answers garbage") << FakeReceiver::Script::Garbage << SendOutcome::NoAnswer;
}

void TestNetClient::failures()
{
    QFETCH(FakeReceiver::Script, script);
    QFETCH(SendOutcome, outcome);

    FakeReceiver receiver(true, script);
    const Run run = deliver(quickOptions({{receiver.port(), true}}), QStringLiteral("127.0.0.1"),
                            QString(300, u'x'));
    QCOMPARE(run.outcome, outcome);
    QVERIFY(!receiver.ended);
    // Bounded by the exchange limit (400 ms here), with room for a slow machine.
    QVERIFY2(run.elapsedMs < 2000, qPrintable(QString::number(run.elapsedMs)));
}

void TestNetClient::unreachable_data()
{
    QTest::addColumn<QString>("recipient");
    QTest::addColumn<SendOutcome>("outcome");

    QTest::newRow("nothing listens") << QStringLiteral("127.0.0.1") << SendOutcome::NoAnswer;
    QTest::newRow("name that does not resolve") << QStringLiteral("no-existe.invalid") << SendOutcome::UnknownHost;
    QTest::newRow("empty name") << QString() << SendOutcome::UnknownHost;
}

void TestNetClient::unreachable()
{
    QFETCH(QString, recipient);
    QFETCH(SendOutcome, outcome);

    const Run run = deliver(quickOptions({{closedPort(), true}, {closedPort(), false}}), recipient,
                            QStringLiteral("Hola"));
    QCOMPARE(run.outcome, outcome);
    // The resolver and the connect phase each have a limit of a few seconds.
    QVERIFY2(run.elapsedMs < 4500, qPrintable(QString::number(run.elapsedMs)));
}

// Each answer takes longer than a third of the step limit: the whole
// exchange outlasts the limit, yet every step is in time.
void TestNetClient::slowButSteadyReceiver()
{
    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    receiver.answerDelayMs = 150;
    const Run run = deliver(quickOptions({{receiver.port(), true}}), QStringLiteral("127.0.0.1"),
                            QString(300, u'x'));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QVERIFY2(run.elapsedMs > 400, qPrintable(QString::number(run.elapsedMs)));
    QCOMPARE(receiver.pieces.size(), 3);
}

void TestNetClient::netbiosNames()
{
    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    const QList<Endpoint> endpoints{{receiver.port(), true}};

    // A name only the name server knows.
    FakeNameServer server;
    server.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    Run run = deliver(withNameServer(endpoints, server), QStringLiteral("pepe-pc"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(server.queries, QList<QByteArray>{FakeNameServer::rawName("PEPE-PC", 0x03)});
    QCOMPARE(receiver.calledName, FakeNameServer::rawName("PEPE-PC", 0x03));
    QCOMPARE(receiver.recipient, QByteArray("PEPE-PC"));
    QCOMPARE(receiver.pieces, QList<QByteArray>{"Hola"});

    // The server does not know it, and nothing else is asked.
    MessengerOptions winsOnly = withNameServer(endpoints, server);
    winsOnly.names.order = {ResolveMethod::Wins};
    run = deliver(winsOnly, QStringLiteral("nadie"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::UnknownHost);
    QVERIFY2(run.elapsedMs < 400, qPrintable(QString::number(run.elapsedMs)));
    QCOMPARE(server.queries.last(), FakeNameServer::rawName("NADIE", 0x03));

    // Addresses and names with a dot are no NetBIOS names.
    server.queries.clear();
    run = deliver(withNameServer(endpoints, server), QStringLiteral("127.0.0.1"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    run = deliver(withNameServer(endpoints, server), QStringLiteral("no-existe.invalid"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::UnknownHost);
    QCOMPARE(server.queries, QList<QByteArray>());

    // A server that never answers: asked again within the wait, given up
    // after it, then the system resolver finds the name.
    FakeNameServer silent(true);
    run = deliver(withNameServer(endpoints, silent), QStringLiteral("localhost"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QVERIFY2(run.elapsedMs >= 450 && run.elapsedMs < 1500, qPrintable(QString::number(run.elapsedMs)));
    QVERIFY(silent.queries.size() >= 2);
}

// "2000" is a NetBIOS name like any other, asked of the name server; the
// system resolver's reading of it as 0.0.7.208 finds no computer.
void TestNetClient::allDigitNames()
{
    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    const QList<Endpoint> endpoints{{receiver.port(), true}};
    FakeNameServer server;
    server.add(FakeNameServer::rawName("2000", 0x03), QHostAddress::LocalHost);
    Run run = deliver(withNameServer(endpoints, server), QStringLiteral("2000"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(server.queries, QList<QByteArray>{FakeNameServer::rawName("2000", 0x03)});
    QCOMPARE(receiver.calledName, FakeNameServer::rawName("2000", 0x03));
    QCOMPARE(receiver.recipient, QByteArray("2000"));

    for (const QString &name : {QStringLiteral("2001"), QStringLiteral("127.1")}) {
        run = deliver(quickOptions(endpoints), name, QStringLiteral("Hola"));
        QCOMPARE(run.outcome, SendOutcome::UnknownHost);
    }
    QCOMPARE(receiver.pieces, QList<QByteArray>{"Hola"});
}

// The name asked for and the name the receiver is called by keep a letter
// that has no capital in code page 850.
void TestNetClient::upperCaseWithinTheCodePage()
{
    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    FakeNameServer server;
    const QByteArray muse = FakeNameServer::rawName("MU\xE1" "E", 0x03);
    server.add(muse, QHostAddress::LocalHost);
    const Run run = deliver(withNameServer({{receiver.port(), true}}, server), QStringLiteral("Muße"),
                            QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(server.queries, QList<QByteArray>{muse});
    QCOMPARE(receiver.calledName, muse);
}

void TestNetClient::nameServiceAnswersAreChecked_data()
{
    QTest::addColumn<FakeNameServer::Answer>("answer");
    QTest::addColumn<SendOutcome>("outcome");

    QTest::newRow("true answer") << FakeNameServer::Answer::True << SendOutcome::Delivered;
    QTest::newRow("from another address") << FakeNameServer::Answer::FromAnotherAddress << SendOutcome::UnknownHost;
    QTest::newRow("for another name") << FakeNameServer::Answer::ForAnotherName << SendOutcome::UnknownHost;
    QTest::newRow("for another service") << FakeNameServer::Answer::ForAnotherService << SendOutcome::UnknownHost;
    QTest::newRow("with another id") << FakeNameServer::Answer::WithAnotherId << SendOutcome::UnknownHost;
}

// Only the server asked, answering our question, says where the message
// goes; a lying answer leaves the name unknown.
void TestNetClient::nameServiceAnswersAreChecked()
{
    QFETCH(FakeNameServer::Answer, answer);
    QFETCH(SendOutcome, outcome);

    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    FakeNameServer server;
    server.answer = answer;
    server.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    MessengerOptions winsOnly = withNameServer({{receiver.port(), true}}, server);
    winsOnly.names.order = {ResolveMethod::Wins};
    const Run run = deliver(winsOnly, QStringLiteral("pepe-pc"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, outcome);
    QCOMPARE(receiver.ended, outcome == SendOutcome::Delivered);
}

namespace {

// A network of the test's own that can broadcast: a bridge with no ports,
// so nothing leaves it. Only ever made where loopback is the only
// interface, that is in the test's private network namespace.
struct PrivateBroadcastNetwork {
    static constexpr const char *kName = "brisqbr0";
    QString problem;

    PrivateBroadcastNetwork()
    {
        const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
        if (interfaces.size() != 1 || !interfaces.first().flags().testFlag(QNetworkInterface::IsLoopBack)) {
            problem = QStringLiteral("not in a private network namespace");
            return;
        }
        for (const QString &command : {QStringLiteral("link add %1 type bridge"),
                                       QStringLiteral("addr add 10.77.0.1/24 brd + dev %1"),
                                       QStringLiteral("link set %1 up")}) {
            if (QProcess::execute(QStringLiteral("ip"), command.arg(QLatin1String(kName)).split(u' ')) != 0) {
                problem = QStringLiteral("cannot make a bridge (ip %1)").arg(command.arg(QLatin1String(kName)));
                return;
            }
        }
    }
    ~PrivateBroadcastNetwork()
    {
        if (problem.isEmpty())
            QProcess::execute(QStringLiteral("ip"), {QStringLiteral("link"), QStringLiteral("del"),
                                                     QLatin1String(kName)});
    }
};

} // namespace

// To a broadcast, anyone on the network may answer, and no one else.
void TestNetClient::broadcastAnswersComeFromTheLocalNetwork()
{
    PrivateBroadcastNetwork network;
    if (!network.problem.isEmpty())
        QSKIP(qPrintable(network.problem));
    FakeReceiver receiver(true, FakeReceiver::Script::Accept);
    FakeNameServer server(false, QHostAddress(QHostAddress::AnyIPv4));
    server.add(FakeNameServer::rawName("PEPE-PC", 0x03), QHostAddress::LocalHost);
    MessengerOptions broadcastOnly = quickOptions({{receiver.port(), true}});
    broadcastOnly.names.order = {ResolveMethod::Broadcast};
    broadcastOnly.names.nbtPort = server.port();

    // Answered from 10.77.0.1, on the network.
    Run run = deliver(broadcastOnly, QStringLiteral("pepe-pc"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::Delivered);
    QCOMPARE(server.queries, QList<QByteArray>{FakeNameServer::rawName("PEPE-PC", 0x03)});

    // Answered from 127.0.0.2, off it.
    server.answer = FakeNameServer::Answer::FromAnotherAddress;
    run = deliver(broadcastOnly, QStringLiteral("pepe-pc"), QStringLiteral("Hola"));
    QCOMPARE(run.outcome, SendOutcome::UnknownHost);
    QVERIFY(server.queries.size() >= 2);
    QCOMPARE(receiver.pieces, QList<QByteArray>{"Hola"});
}

QTEST_GUILESS_MAIN(TestNetClient)
#include "tst_net_client.moc"
