// Who gets a message: the user it is addressed to by login name, or every
// connected user when it is addressed to the machine, or the first user to
// connect when nobody was there. Which names the service answers for, and
// who may hand it a message Samba received. Other users are played with
// setpriv as "daemon" and "nobody" (Samba's default guest account).

#include "privatesamba.h"
#include "rawsender.h"
#include "runningreceiver.h"

#include <QJsonDocument>
#include <QStandardPaths>
#include <QTest>

#include <memory>
#include <pwd.h>

namespace {

gid_t groupOf(const QString &user)
{
    const passwd *entry = ::getpwnam(user.toUtf8().constData());
    return entry ? entry->pw_gid : 0;
}

// A socket client running as `user` for `ms`, acknowledging what it gets.
class OtherUser
{
public:
    OtherUser(const QString &user, const QString &socketPath, int ms, const QByteArray &input = {})
    {
        m_process.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=") + user, QStringLiteral("--regid=") + QString::number(groupOf(user)),
                         QStringLiteral("--clear-groups"), QStringLiteral(SOCKET_CLIENT), socketPath,
                         QString::number(ms), QStringLiteral("ack")});
        m_process.write(input);
        m_process.closeWriteChannel();
        m_process.waitForStarted(3000);
    }
    QList<QJsonObject> lines()
    {
        m_process.waitForFinished(10000);
        QList<QJsonObject> result;
        for (const QByteArray &line : m_process.readAllStandardOutput().split('\n')) {
            if (!line.isEmpty())
                result << QJsonDocument::fromJson(line).object();
        }
        return result;
    }

private:
    QProcess m_process;
};

QStringList texts(const QList<QJsonObject> &lines)
{
    QStringList result;
    for (const QJsonObject &line : lines)
        result << line.value("text").toString();
    return result;
}

bool found(const QString &name)
{
    return runProgram(QStringLiteral("nmblookup"), {QStringLiteral("-U"), QStringLiteral("127.0.0.1"), name})
        .output.contains("<03>");
}

} // namespace

class TestReceiverRouting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString why = RunningReceiver::whyUnavailable(); !why.isEmpty())
            QSKIP(qPrintable(why));
        if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
            QSKIP("setpriv (util-linux) is not installed");
    }

    void cleanup() { m_receiver.reset(); }

    void nobodyThereGoesToTheFirstWhoConnects()
    {
        QVERIFY(startAnew(m_receiver));
        RawSender sender;
        QVERIFY(sender.open());
        QVERIFY(sender.sendMessage("ANA", "PEPE-PC", "para quien llegue"));
        QCOMPARE(texts(OtherUser(QStringLiteral("daemon"), m_receiver->socketPath(), 500).lines()),
                 QStringList{QStringLiteral("para quien llegue")});
        DesktopClient root;
        QVERIFY(root.connectTo(m_receiver->socketPath()));
        QCOMPARE(root.linesWithin(300).size(), 0);
    }

    void loginNamesReachTheirUserAndTheMachineReachesAll()
    {
        QVERIFY(startAnew(m_receiver));
        DesktopClient root;
        QVERIFY(root.connectTo(m_receiver->socketPath()));
        OtherUser daemon(QStringLiteral("daemon"), m_receiver->socketPath(), 1500);
        QTest::qWait(300);
        RawSender sender;
        QVERIFY(sender.open());
        QVERIFY(sender.sendMessage("ANA", "ROOT", "solo root"));
        QVERIFY(sender.sendMessage("ANA", "Daemon", "solo daemon"));
        QVERIFY(sender.sendMessage("ANA", "PEPE-PC", "todos"));
        QVERIFY(!sender.sendMessage("ANA", "NADIE", "nadie"));
        QCOMPARE(texts(root.linesWithin(500)), (QStringList{QStringLiteral("solo root"), QStringLiteral("todos")}));
        QCOMPARE(texts(daemon.lines()), (QStringList{QStringLiteral("solo daemon"), QStringLiteral("todos")}));
    }

    void usersAreAnnouncedOnlyWhenAskedAndConnected()
    {
        QVERIFY(startAnew(m_receiver));
        DesktopClient quiet;
        QVERIFY(quiet.connectTo(m_receiver->socketPath()));
        QVERIFY(!found(QStringLiteral("ROOT#03")));

        QVERIFY(startAnew(m_receiver, "announce users = yes\n"));
        QVERIFY(!found(QStringLiteral("ROOT#03")));
        {
            DesktopClient root;
            QVERIFY(root.connectTo(m_receiver->socketPath()));
            QTest::qWait(100);
            QVERIFY(found(QStringLiteral("ROOT#03")));
            // Its session is accepted under that name too.
            RawSender sender;
            QVERIFY(sender.open("ROOT"));
        }
        QTest::qWait(200);
        QVERIFY(!found(QStringLiteral("ROOT#03")));
        QVERIFY(found(QStringLiteral("PEPE-PC#03")));
    }

    void onlySambasGuestHandsMessagesOver()
    {
        QVERIFY(startAnew(m_receiver));
        DesktopClient desktop;
        QVERIFY(desktop.connectTo(m_receiver->socketPath()));
        const QByteArray request = R"({"deliver": {"address": "192.0.2.7", "from": "ANA", "to": "root", "text": "vía Samba"}})"
                                   "\n";
        const QList<QJsonObject> answers = OtherUser(QStringLiteral("nobody"), m_receiver->socketPath(), 500, request).lines();
        QCOMPARE(answers.size(), 1);
        QVERIFY(answers[0].value("delivered").toInteger() > 0);
        const QList<QJsonObject> lines = desktop.waitForMessages(1);
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].value("address").toString(), QStringLiteral("192.0.2.7"));
        QCOMPARE(lines[0].value("text").toString(), QStringLiteral("vía Samba"));
        QCOMPARE(lines[0].value("id").toInteger(), answers[0].value("delivered").toInteger());

        const QList<QJsonObject> refused = OtherUser(QStringLiteral("daemon"), m_receiver->socketPath(), 500, request).lines();
        QCOMPARE(refused.size(), 1);
        QVERIFY(refused[0].contains("error"));
        QCOMPARE(desktop.linesWithin(200).size(), 1);
    }

    void whereSambaHoldsThePortsOnlyTheSocketIsServed()
    {
        if (const QString why = PrivateSamba::whyUnavailable(139); !why.isEmpty())
            QSKIP(qPrintable(why));
        PrivateSamba samba;
        const QString problem = samba.start();
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        QVERIFY(startAnew(m_receiver));
        QVERIFY2(m_receiver->errorOutput().contains("ya está en uso (¿Samba?)"), m_receiver->errorOutput());
        const QByteArray request = R"({"deliver": {"address": "127.0.0.1", "from": "ANA", "to": "PEPE-PC", "text": "hola"}})"
                                   "\n";
        QVERIFY(OtherUser(QStringLiteral("nobody"), m_receiver->socketPath(), 500, request).lines().value(0).contains("delivered"));
    }

private:
    std::unique_ptr<RunningReceiver> m_receiver;
};

QTEST_GUILESS_MAIN(TestReceiverRouting)
#include "tst_receiver_routing.moc"
