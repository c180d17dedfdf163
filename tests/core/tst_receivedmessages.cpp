#include "core/linebreaks.h"
#include "core/receivedmessages.h"
#include "core/receiverprotocol.h"

#include <QtTest>

using namespace brisquel;

class TestReceivedMessages : public QObject {
    Q_OBJECT

private slots:
    void messageLinesAreRead_data();
    void messageLinesAreRead();
    void acknowledgementLine();
    void everyLineBreakIsShownAsCrLf();
    void eachIdIsHeldOnceAndOpensOnTheOldestUnread();
    void aFullListDropsReadOnesAndRefusesUnread();
};

void TestReceivedMessages::messageLinesAreRead_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("read");
    QTest::addColumn<QString>("address");

    QTest::newRow("whole") << QByteArray(R"({"id": 17, "from": "ANA", "to": "PEPE-PC", "address": "192.0.2.7", )"
                                         R"("received": "2026-12-07T15:04:05Z", "text": "Hola\r\nAdiós"})")
                           << true << "192.0.2.7";
    QTest::newRow("ipv6") << QByteArray(R"({"id": 2, "address": "fe80::1", "text": "x"})") << true << "fe80::1";
    QTest::newRow("address is a name") << QByteArray(R"({"id": 2, "address": "-x; rm", "text": "x"})") << true
                                       << "";
    QTest::newRow("no id") << QByteArray(R"({"text": "x"})") << false << "";
    QTest::newRow("id zero") << QByteArray(R"({"id": 0, "text": "x"})") << false << "";
    QTest::newRow("id fraction") << QByteArray(R"({"id": 1.5, "text": "x"})") << false << "";
    QTest::newRow("id text") << QByteArray(R"({"id": "3", "text": "x"})") << false << "";
    QTest::newRow("no text") << QByteArray(R"({"id": 3})") << false << "";
    QTest::newRow("error line") << QByteArray(R"({"error": "petición desconocida"})") << false << "";
    QTest::newRow("array") << QByteArray("[1,2]") << false << "";
    QTest::newRow("cut short") << QByteArray(R"({"id": 3, "text": "x)") << false << "";
    QTest::newRow("not utf-8") << QByteArray("{\"id\": 3, \"text\": \"\xff\xfe\"}") << false << "";
}

void TestReceivedMessages::messageLinesAreRead()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, read);
    QFETCH(QString, address);

    const std::optional<ReceivedMessage> message = parseReceivedMessageLine(line);
    QCOMPARE(message.has_value(), read);
    if (!message)
        return;
    QCOMPARE(message->address, address);
    QCOMPARE(message->canBeAnswered(), !address.isEmpty());
    if (QTest::currentDataTag() == QByteArray("whole")) {
        QCOMPARE(message->id, 17);
        QCOMPARE(message->from, QStringLiteral("ANA"));
        QCOMPARE(message->to, QStringLiteral("PEPE-PC"));
        QCOMPARE(message->received, QDateTime(QDate(2026, 12, 7), QTime(15, 4, 5), Qt::UTC));
        QCOMPARE(message->text, QStringLiteral("Hola\r\nAdiós"));
    }
}

void TestReceivedMessages::acknowledgementLine()
{
    QCOMPARE(brisquel::acknowledgementLine(17), QByteArray("{\"ack\": 17}\n"));
}

void TestReceivedMessages::everyLineBreakIsShownAsCrLf()
{
    // Signed by this program, from Windows, from Unix, a lone CR, and an
    // empty line of each kind.
    QCOMPARE(withCrLfLineBreaks(QStringLiteral("Hola\n\r\n\rana@Brisquel v2.4b")),
             QStringLiteral("Hola\r\n\r\nana@Brisquel v2.4b"));
    QCOMPARE(withCrLfLineBreaks(QStringLiteral("a\r\nb\nc\rd")), QStringLiteral("a\r\nb\r\nc\r\nd"));
    QCOMPARE(withCrLfLineBreaks(QStringLiteral("a\r\n\r\nb\n\nc")), QStringLiteral("a\r\n\r\nb\r\n\r\nc"));
    QCOMPARE(withCrLfLineBreaks(QStringLiteral("\r")), QStringLiteral("\r\n"));
    QCOMPARE(withCrLfLineBreaks(QString()), QString());
}

namespace {
ReceivedMessage message(qint64 id)
{
    ReceivedMessage message;
    message.id = id;
    message.text = QStringLiteral("mensaje %1").arg(id);
    return message;
}
} // namespace

void TestReceivedMessages::eachIdIsHeldOnceAndOpensOnTheOldestUnread()
{
    ReceivedMessages messages;
    QCOMPARE(messages.indexToOpenOn(), -1);
    QCOMPARE(messages.add(message(5)), ReceivedMessages::Added::New);
    QCOMPARE(messages.add(message(9)), ReceivedMessages::Added::New);
    QCOMPARE(messages.add(message(5)), ReceivedMessages::Added::AlreadyHeld); // sent again after a reconnection
    QCOMPARE(messages.count(), 2);
    QCOMPARE(messages.unreadCount(), 2);
    QCOMPARE(messages.indexToOpenOn(), 0);

    QVERIFY(messages.markShown(0));
    QVERIFY(!messages.markShown(0)); // acknowledged once
    QCOMPARE(messages.unreadCount(), 1);
    QCOMPARE(messages.indexToOpenOn(), 1);
    QVERIFY(messages.markShown(1));
    QCOMPARE(messages.indexToOpenOn(), 1); // all read: the newest
    QVERIFY(!messages.markShown(2));
    QCOMPARE(messages.indexOf(9), 1);
    QCOMPARE(messages.indexOf(7), -1);
}

void TestReceivedMessages::aFullListDropsReadOnesAndRefusesUnread()
{
    ReceivedMessages messages;
    for (int id = 1; id <= ReceivedMessages::kMostMessages; ++id)
        messages.add(message(id));
    QCOMPARE(messages.add(message(5000)), ReceivedMessages::Added::Refused);
    QCOMPARE(messages.count(), ReceivedMessages::kMostMessages);

    messages.markShown(3);
    QCOMPARE(messages.add(message(5000)), ReceivedMessages::Added::New);
    QCOMPARE(messages.count(), ReceivedMessages::kMostMessages);
    QCOMPARE(messages.indexOf(4), -1); // the read one went
    QCOMPARE(messages.at(0).id, 1);
    QCOMPARE(messages.at(messages.count() - 1).id, 5000);
}

QTEST_GUILESS_MAIN(TestReceivedMessages)
#include "tst_receivedmessages.moc"
