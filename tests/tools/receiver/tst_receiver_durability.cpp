// kill -9 in the middle of a burst of messages: after a restart every
// message a sender was told had arrived reaches the desktop, none twice,
// and the ids given afterwards are new ones.

#include "rawsender.h"
#include "runningreceiver.h"

#include <QSet>
#include <QTest>

#include <atomic>
#include <csignal>
#include <mutex>
#include <thread>

namespace {

constexpr int kSenders = 4;

} // namespace

class TestReceiverDurability : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = RunningReceiver::whyUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
    }

    void killedMidBurstLosesNothingAcknowledged()
    {
        RunningReceiver receiver("messages per minute = 1000000\nmax connections per source = 16\n"
                                 "spool messages = 100000\nspool bytes = 100000000\n");
        QVERIFY2(receiver.start().isEmpty(), receiver.errorOutput());

        std::mutex lock;
        QSet<QByteArray> acknowledged;
        std::atomic<int> sent{0};
        std::vector<std::thread> senders;
        for (int s = 0; s < kSenders; ++s) {
            senders.emplace_back([s, &lock, &acknowledged, &sent] {
                RawSender sender;
                if (!sender.open())
                    return;
                for (int i = 0;; ++i) {
                    const QByteArray text = "mensaje " + QByteArray::number(s) + "-" + QByteArray::number(i);
                    ++sent;
                    if (!sender.sendMessage("ANA", "PEPE-PC", text))
                        return;
                    const std::lock_guard guard(lock);
                    acknowledged.insert(text);
                }
            });
        }
        QTest::qWait(600);
        ::kill(pid_t(receiver.pid()), SIGKILL);
        for (std::thread &sender : senders)
            sender.join();
        receiver.kill();
        QVERIFY2(acknowledged.size() >= 20, QByteArray::number(acknowledged.size()));
        qInfo("%lld messages acknowledged before the kill", qlonglong(acknowledged.size()));

        QVERIFY2(receiver.start().isEmpty(), receiver.errorOutput());
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(receiver.socketPath()));
        // Messages on disk whose answer the kill cut off come too.
        desktop.waitForMessages(int(acknowledged.size()));
        const QList<QJsonObject> lines = desktop.linesWithin(500);
        QSet<QString> texts;
        qint64 highestId = 0;
        for (const QJsonObject &line : lines) {
            const QString text = line.value("text").toString();
            QVERIFY2(!texts.contains(text), qPrintable(text));
            texts.insert(text);
            highestId = std::max(highestId, line.value("id").toInteger());
        }
        for (const QByteArray &text : std::as_const(acknowledged))
            QVERIFY2(texts.contains(QString::fromLatin1(text)), text);
        for (const QJsonObject &line : lines)
            desktop.acknowledge(line.value("id").toInteger());
        QTest::qWait(300);

        // Acknowledged means gone, across a restart too, and the next
        // message gets an id no earlier message had.
        receiver.kill();
        QVERIFY2(receiver.start().isEmpty(), receiver.errorOutput());
        DesktopClient later;
        QVERIFY(later.connectTo(receiver.socketPath()));
        QCOMPARE(later.linesWithin(300).size(), 0);
        RawSender sender;
        QVERIFY(sender.open());
        QVERIFY(sender.sendMessage("ANA", "PEPE-PC", "otra vez"));
        const QList<QJsonObject> fresh = later.waitForMessages(1);
        QCOMPARE(fresh.size(), 1);
        QVERIFY(fresh[0].value("id").toInteger() > highestId);
    }
};

QTEST_GUILESS_MAIN(TestReceiverDurability)
#include "tst_receiver_durability.moc"
