// Peers that are no honest senders: malformed and oversized requests, a
// flood of text blocks, connections that say nothing or stop halfway, more
// connections and messages than allowed. Each gets an error answer or the
// door, and the service goes on serving honest senders with little memory.

#include "rawsender.h"
#include "runningreceiver.h"

#include "tools/messenger/smbmessages.h"

#include <QTest>

#include <memory>

using namespace brisquel::messenger;

namespace {

const QString kNet = QStringLiteral(NET_PROGRAM);
#ifdef RECEIVER_UNDER_SANITIZER
// AddressSanitizer's shadow memory and its quarantine of freed blocks (256 MiB)
// are counted in the resident size, so only runaway growth can be told there.
constexpr qint64 kMemoryBoundKiB = 1024 * 1024;
#else
constexpr qint64 kMemoryBoundKiB = 20 * 1024;
#endif

// A request by hand: header, the given words, the given data.
QByteArray smbRequest(quint8 command, const QByteArray &wordsAndData)
{
    QByteArray message(32, '\0');
    message.replace(0, 4, "\xFFSMB");
    message[4] = char(command);
    return message + wordsAndData;
}

bool refused(const std::optional<SmbReply> &reply)
{
    return reply && reply->status != 0;
}

} // namespace

class TestReceiverHostile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = RunningReceiver::whyUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void cleanup() { m_receiver.reset(); }

    void malformedRequestsGetErrorsOrTheDoor()
    {
        QVERIFY(startAnew(m_receiver));
        // A called name that is not ours: "called name not present".
        RawSender stranger;
        QVERIFY(!stranger.open("OTRO-PC"));
        QVERIFY(stranger.closedWithin(2000));
        RawSender sender;
        QVERIFY(sender.open());
        // No NUL after the sender's name: refused, the connection stays.
        sender.sendFrame(smbRequest(0xD5, QByteArray("\x00\x04\x00\x04""ANA", 7)));
        QVERIFY(refused(sender.reply()));
        // A command we do not take: a DOS error.
        sender.sendFrame(smbRequest(0x72, QByteArray("\x00\x00\x00", 3)));
        const std::optional<SmbReply> negotiate = sender.reply();
        QVERIFY(negotiate);
        QCOMPARE(negotiate->status & 0xFF, 0x01u);
        // A name longer than 15 bytes.
        sender.sendFrame(sendStartRequest({1, 9}, "ANA", "UN-NOMBRE-DEMASIADO-LARGO"));
        QVERIFY(refused(sender.reply()));
        // A text longer than 1,600 bytes: refused at the piece that passes it.
        QVERIFY(!sender.sendMessage("ANA", "PEPE-PC", QByteArray(1601, 'x')));
        // A data block claiming more than it carries.
        sender.sendFrame(smbRequest(0xD0, QByteArray("\x00\x0C\x00\x04""A\x00\x04""B\x00\x01\xF4\x01xy", 15)));
        QVERIFY(refused(sender.reply()));
        // After all that, an honest message on the same connection.
        QVERIFY(sender.sendMessage("ANA", "PEPE-PC", "Sigo aqu\xA1")); // í in code page 850

        // A byte count past the end of the frame closes the connection, and
        // so does a frame announced bigger than 4 KiB.
        RawSender liar;
        QVERIFY(liar.open());
        liar.sendFrame(smbRequest(0xD0, QByteArray("\x00\xFF\x00", 3)));
        QVERIFY(liar.closedWithin(2000));
        RawSender huge;
        QVERIFY(huge.open());
        huge.sendRaw(QByteArray("\x00\x01\x00\x00", 4) + QByteArray(70000, 'A'));
        QVERIFY(huge.closedWithin(2000));
        // Unknown commands without end.
        RawSender pest;
        QVERIFY(pest.open());
        for (int i = 0; i < 40; ++i)
            pest.sendFrame(smbRequest(0x72, QByteArray("\x00\x00\x00", 3)));
        QVERIFY(pest.closedWithin(2000));

        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QList<QJsonObject> lines = desktop.linesWithin(300);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].value("text").toString(), QStringLiteral("Sigo aquí"));
    }

    void tenThousandTextBlocksAreCutOff()
    {
        QVERIFY(startAnew(m_receiver));
        RawSender flood;
        QVERIFY(flood.open());
        flood.sendFrame(sendStartRequest({1, 1}, "ANA", "PEPE-PC"));
        const std::optional<SmbReply> started = flood.reply();
        QVERIFY(started && !started->words.isEmpty());
        QByteArray blocks;
        for (int i = 0; i < 10000; ++i)
            blocks += sessionPacket(SessionPacketType::Message,
                                    sendTextRequest({1, quint16(i)}, started->words[0], QByteArray(127, 'z')));
        flood.socket().write(blocks);
        QVERIFY(flood.closedWithin(5000));
        QVERIFY2(m_receiver->residentKiB() < kMemoryBoundKiB, QByteArray::number(m_receiver->residentKiB()));

        RawSender honest;
        QVERIFY(honest.open());
        QVERIFY(honest.sendMessage("LUIS", "PEPE-PC", "Hola"));
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QList<QJsonObject> lines = desktop.linesWithin(300);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].value("from").toString(), QStringLiteral("LUIS"));
    }

    void idleAndHalfOpenConnectionsAreClosed()
    {
        QVERIFY(startAnew(m_receiver, "idle timeout = 1\n"));
        RawSender silent;
        QVERIFY(silent.open({}));
        RawSender halfRequest;
        QVERIFY(halfRequest.open({}));
        halfRequest.sendRaw(QByteArray("\x81\x00\x00\x44", 4) + QByteArray(20, 'C'));
        RawSender halfFrame;
        QVERIFY(halfFrame.open());
        halfFrame.sendRaw(QByteArray("\x00\x00\x01\x00", 4) + QByteArray(100, 'D'));
        QVERIFY(silent.closedWithin(3000));
        QVERIFY(halfRequest.closedWithin(1000));
        QVERIFY(halfFrame.closedWithin(1000));
    }

    void floodsBeyondTheLimitsAreRefused()
    {
        QVERIFY(startAnew(m_receiver, "messages per minute = 4\nspool messages = 2\n"));
        // Eight connections from one source at most.
        std::vector<std::unique_ptr<RawSender>> crowd;
        for (int i = 0; i < 12; ++i) {
            crowd.push_back(std::make_unique<RawSender>());
            crowd.back()->open({});
        }
        QTest::qWait(200);
        const auto open = std::count_if(crowd.cbegin(), crowd.cend(), [](const auto &sender) {
            return !sender->closedWithin(10);
        });
        QCOMPARE(open, 8);
        crowd.clear();

        // Two fill the spool; the third is refused; the fifth passes the
        // rate limit. The sender's net says it was refused.
        const auto send = [](const QString &text) {
            return runProgram(kNet, {QStringLiteral("send"), QStringLiteral("127.0.0.1"), text});
        };
        QCOMPARE(send(QStringLiteral("uno")).exitCode, 0);
        QCOMPARE(send(QStringLiteral("dos")).exitCode, 0);
        const ProgramRun full = send(QStringLiteral("tres"));
        QCOMPARE(full.exitCode, 4);
        QVERIFY2(full.errorOutput.contains("rechazó el mensaje"), full.errorOutput);

        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QList<QJsonObject> lines = desktop.waitForMessages(2);
        QCOMPARE(lines.size(), 2);
        desktop.acknowledge(lines[0].value("id").toInteger());
        desktop.acknowledge(lines[1].value("id").toInteger());
        QTest::qWait(100);
        QCOMPARE(send(QStringLiteral("cuatro")).exitCode, 0);
        QCOMPARE(send(QStringLiteral("cinco")).exitCode, 4);
        QVERIFY(m_receiver->residentKiB() < kMemoryBoundKiB);
    }

    void aDesktopThatNeverReadsIsCutOff()
    {
        QVERIFY(startAnew(m_receiver));
        // Each line it sends gets an error line back that it never reads.
        DesktopClient greedy;
        QVERIFY(greedy.connectTo(m_receiver->socketPath()));
        const QByteArray junk = QByteArray("x\n").repeated(1 << 20);
        greedy.socket().write(junk);
        QTRY_VERIFY_WITH_TIMEOUT(greedy.socket().state() != QLocalSocket::ConnectedState, 10000);
        QVERIFY2(m_receiver->residentKiB() < kMemoryBoundKiB, QByteArray::number(m_receiver->residentKiB()));
        DesktopClient honest;
        QVERIFY(honest.connectTo(m_receiver->socketPath()));
    }

private:
    std::unique_ptr<RunningReceiver> m_receiver;
};

QTEST_GUILESS_MAIN(TestReceiverHostile)
#include "tst_receiver_hostile.moc"
