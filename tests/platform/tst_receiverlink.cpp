#include "core/receiverprotocol.h"
#include "platform/receiverlink.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using brisquel::ReceivedMessage;
using brisquel::ReceiverLink;

namespace {

// Comfortably more than the link's wait between tries.
constexpr int kReconnectTimeoutMs = 3500;

QByteArray messageLine(qint64 id, const QByteArray &text)
{
    return "{\"id\": " + QByteArray::number(id) + ", \"from\": \"ANA\", \"to\": \"PEPE-PC\", "
           "\"address\": \"192.0.2.7\", \"received\": \"2026-12-07T15:04:05Z\", \"text\": \"" + text + "\"}\n";
}

// The receiving service's side of the socket, as the test drives it.
struct FakeService {
    explicit FakeService(const QString &path)
    {
        QLocalServer::removeServer(path);
        server.listen(path);
    }

    // The ids of the acknowledgements that have come, in order.
    QList<qint64> acknowledged()
    {
        received += current->readAll();
        QList<qint64> ids;
        for (const QByteArray &line : received.split('\n')) {
            if (!line.isEmpty())
                ids << QJsonDocument::fromJson(line).object().value(QStringLiteral("ack")).toInteger(-1);
        }
        return ids;
    }

    // The desktop's connection, once it has come.
    QLocalSocket *client()
    {
        if (server.hasPendingConnections())
            current = server.nextPendingConnection();
        return current;
    }
    void send(const QByteArray &bytes)
    {
        current->write(bytes);
        current->flush();
    }

    QLocalServer server;
    QLocalSocket *current = nullptr;
    QByteArray received;
};

// The link, with what it has handed on.
struct Desktop {
    explicit Desktop(const QString &path)
        : link(path)
    {
        QObject::connect(&link, &ReceiverLink::messageArrived,
                         [this](const ReceivedMessage &message) { arrived << message; });
    }
    QList<qint64> ids() const
    {
        QList<qint64> result;
        for (const ReceivedMessage &message : arrived)
            result << message.id;
        return result;
    }

    ReceiverLink link;
    QList<ReceivedMessage> arrived;
};

} // namespace

class TestReceiverLink : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }

    void messagesArriveInOrderAndAcknowledgementsReachTheService();
    void aServiceThatAppearsLaterIsFound();
    void aDroppedConnectionIsTakenUpAgain();
    void anOverlongLineDropsTheConnection();
    void aServiceThatStopsReadingIsDropped();

private:
    QString socketPath() const { return dir.filePath(QStringLiteral("receiver.sock")); }
    QTemporaryDir dir;
};

void TestReceiverLink::messagesArriveInOrderAndAcknowledgementsReachTheService()
{
    FakeService service(socketPath());
    Desktop desktop(socketPath());
    QSignalSpy connected(&desktop.link, &ReceiverLink::connectedChanged);
    desktop.link.start();
    QVERIFY(desktop.link.isConnected());
    QCOMPARE(connected.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(service.client(), 2000);

    // One whole line and the start of the next, then its end with two more
    // lines and what the desktop has no use for in between.
    const QByteArray second = messageLine(18, "Hola\\r\\nHasta luego");
    service.send(messageLine(17, "uno") + second.first(30));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.ids(), QList<qint64>{17}, 2000);
    service.send(second.sliced(30) + "{\"error\": \"petición desconocida\"}\nno es json\n\n"
                 + messageLine(-3, "sin id") + messageLine(19, "tres") + messageLine(20, "cuatro"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.ids(), (QList<qint64>{17, 18, 19, 20}), 2000);
    QCOMPARE(desktop.arrived.at(1).text, QStringLiteral("Hola\r\nHasta luego"));
    QCOMPARE(desktop.arrived.at(1).address, QStringLiteral("192.0.2.7"));
    QVERIFY(desktop.link.isConnected());

    desktop.link.acknowledge(18);
    desktop.link.acknowledge(20);
    QTRY_COMPARE_WITH_TIMEOUT(service.acknowledged(), (QList<qint64>{18, 20}), 2000);
}

void TestReceiverLink::aServiceThatAppearsLaterIsFound()
{
    Desktop desktop(socketPath());
    QSignalSpy connected(&desktop.link, &ReceiverLink::connectedChanged);
    desktop.link.start();
    QVERIFY(!desktop.link.isConnected());
    QCOMPARE(connected.count(), 0);
    // Nowhere to go: dropped, never kept for later.
    desktop.link.acknowledge(5);

    FakeService service(socketPath());
    QTRY_VERIFY_WITH_TIMEOUT(desktop.link.isConnected(), kReconnectTimeoutMs);
    QCOMPARE(connected.count(), 1);
    QCOMPARE(connected.at(0).at(0).toBool(), true);
    QVERIFY(service.client());
    desktop.link.acknowledge(6);
    QTRY_COMPARE_WITH_TIMEOUT(service.acknowledged(), QList<qint64>{6}, 2000);
}

void TestReceiverLink::aDroppedConnectionIsTakenUpAgain()
{
    FakeService service(socketPath());
    Desktop desktop(socketPath());
    desktop.link.start();
    QTRY_VERIFY_WITH_TIMEOUT(service.client(), 2000);
    service.send(messageLine(7, "hola"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.arrived.size(), 1, 2000);

    QSignalSpy connected(&desktop.link, &ReceiverLink::connectedChanged);
    service.current->disconnectFromServer();
    QTRY_VERIFY_WITH_TIMEOUT(!desktop.link.isConnected(), 2000);
    QCOMPARE(connected.count(), 1);
    QCOMPARE(connected.at(0).at(0).toBool(), false);

    // Unacknowledged, the message comes again on the new connection.
    QTRY_VERIFY_WITH_TIMEOUT(desktop.link.isConnected(), kReconnectTimeoutMs);
    QVERIFY(service.client());
    service.send(messageLine(7, "hola"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.ids(), (QList<qint64>{7, 7}), 2000);
}

void TestReceiverLink::anOverlongLineDropsTheConnection()
{
    FakeService service(socketPath());
    Desktop desktop(socketPath());
    desktop.link.start();
    QTRY_VERIFY_WITH_TIMEOUT(service.client(), 2000);
    QSignalSpy connected(&desktop.link, &ReceiverLink::connectedChanged);

    // A line that never ends, in pieces.
    const QByteArray piece(64 * 1024, 'x');
    for (qsizetype sent = 0; sent <= brisquel::kMaxReceiverLineBytes; sent += piece.size())
        service.current->write(piece);
    service.current->flush();
    QTRY_COMPARE_WITH_TIMEOUT(service.current->state(), QLocalSocket::UnconnectedState, 5000);
    QVERIFY(!connected.isEmpty());
    QCOMPARE(connected.first().at(0).toBool(), false);
    QVERIFY(desktop.arrived.isEmpty());

    // It comes back for what the service has to say next.
    QTRY_VERIFY_WITH_TIMEOUT(desktop.link.isConnected(), kReconnectTimeoutMs);
    QVERIFY(service.client());
    service.send(messageLine(8, "de nuevo"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.ids(), QList<qint64>{8}, 2000);
}

void TestReceiverLink::aServiceThatStopsReadingIsDropped()
{
    FakeService service(socketPath());
    Desktop desktop(socketPath());
    desktop.link.start();
    QVERIFY(desktop.link.isConnected());

    // No event loop runs meanwhile, so the service reads nothing: the
    // acknowledgements fill the socket, then what the link would keep.
    int sent = 0;
    while (desktop.link.isConnected() && sent < 1000000)
        desktop.link.acknowledge(++sent);
    QVERIFY(!desktop.link.isConnected());
    QVERIFY2(sent < 200000, QByteArray::number(sent));
}

QTEST_GUILESS_MAIN(TestReceiverLink)
#include "tst_receiverlink.moc"
