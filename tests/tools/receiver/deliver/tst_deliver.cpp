#include "tools/receiver/deliver/delivery.h"
#include "tools/receiver/deliver/messagefile.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using namespace brisquel::deliver;

namespace {

// What the fake receiver answers to the request line; None: no receiver.
enum class Answer { None, Delivered, Refused, Silent, Garbage };

// A receiver on a Unix socket that records the request line and answers as
// told. It runs on the test's event loop, which deliverFile() spins.
class FakeReceiver
{
public:
    FakeReceiver(const QString &path, Answer answer)
    {
        if (answer == Answer::None || !m_server.listen(path))
            return;
        QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this, answer] {
            QLocalSocket *client = m_server.nextPendingConnection();
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client, answer] {
                if (!client->canReadLine())
                    return;
                request = client->readLine();
                if (answer == Answer::Delivered)
                    client->write("{\"delivered\": 7}\n");
                else if (answer == Answer::Refused)
                    client->write("{\"error\": \"el buzón de pepe está lleno\"}\n");
                else if (answer == Answer::Garbage)
                    client->write("{\"delivered\": \"quizá\"}\n");
            });
        });
    }

    QByteArray request;

private:
    QLocalServer m_server;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

const QByteArray kText = "¿Comemos juntos hoy?\nInvito yo.\n\nAna@Brisquel";

} // namespace

class DeliverTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void answersOfTheService_data();
    void answersOfTheService();
    void filesThatAreNoMessage_data();
    void filesThatAreNoMessage();
    void theProgramAsSambaRunsIt();

private:
    QStringList argumentsFor(const QString &file) const
    {
        return {QStringLiteral("192.0.2.7"), QStringLiteral("ANA"), QStringLiteral("PEPE"), file};
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_socket;
    QString m_message;
};

void DeliverTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_socket = m_dir->filePath(QStringLiteral("receiver.sock"));
    m_message = m_dir->filePath(QStringLiteral("msg.XXXXXX"));
    QVERIFY(writeFile(m_message, kText));
}

void DeliverTest::answersOfTheService_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("said"); // empty: delivered

    QTest::newRow("delivered") << Answer::Delivered << QString();
    QTest::newRow("refused") << Answer::Refused << QStringLiteral("el buzón de pepe está lleno");
    QTest::newRow("no answer in time") << Answer::Silent << QStringLiteral("no respondió");
    QTest::newRow("answer not understood") << Answer::Garbage << QStringLiteral("no se entiende");
    QTest::newRow("no service") << Answer::None << QStringLiteral("no atiende en ");
}

// Only a message the service says it holds loses its file.
void DeliverTest::answersOfTheService()
{
    QFETCH(Answer, answer);
    QFETCH(QString, said);

    FakeReceiver receiver(m_socket, answer);
    QElapsedTimer clock;
    clock.start();
    const DeliveryResult result = deliverFile(argumentsFor(m_message), {m_socket, 500});
    QVERIFY2(clock.elapsed() < 3000, "the wait for the answer must be bounded");

    if (answer != Answer::None) {
        const QJsonObject sent = QJsonDocument::fromJson(receiver.request).object().value("deliver").toObject();
        QCOMPARE(sent.value("address").toString(), QStringLiteral("192.0.2.7"));
        QCOMPARE(sent.value("from").toString(), QStringLiteral("ANA"));
        QCOMPARE(sent.value("to").toString(), QStringLiteral("PEPE"));
        QCOMPARE(sent.value("text").toString(), QString::fromUtf8(kText));
        QCOMPARE(receiver.request.count('\n'), 1);
    }
    QCOMPARE(result.exitStatus, said.isEmpty() ? 0 : 1);
    QCOMPARE(QFile::exists(m_message), !said.isEmpty());
    QVERIFY2(result.complaint.contains(said), qPrintable(result.complaint));
    if (!said.isEmpty())
        QVERIFY2(result.complaint.contains(m_message), "the complaint names the message file");
}

void DeliverTest::filesThatAreNoMessage_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::addColumn<QString>("said");
    QTest::newRow("fifo") << true << QStringLiteral("no es un fichero normal");
    QTest::newRow("one byte too large") << false << QStringLiteral("mide más de 64 KiB");
}

// Neither may reach the service, nor make it wait.
void DeliverTest::filesThatAreNoMessage()
{
    QFETCH(bool, fifo);
    QFETCH(QString, said);

    const QString path = m_dir->filePath(QStringLiteral("odd"));
    if (fifo)
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else
        QVERIFY(writeFile(path, QByteArray(kMaxMessageFileBytes + 1, 'a')));

    FakeReceiver receiver(m_socket, Answer::Delivered);
    QElapsedTimer clock;
    clock.start();
    const DeliveryResult result = deliverFile(argumentsFor(path), {m_socket, 500});
    QVERIFY(clock.elapsed() < 400);
    QCOMPARE(result.exitStatus, 1);
    QVERIFY2(result.complaint.contains(said), qPrintable(result.complaint));
    QVERIFY(receiver.request.isEmpty());
    QVERIFY(QFileInfo::exists(path));

    // The largest message file that is allowed goes through.
    QVERIFY(writeFile(m_message, QByteArray(kMaxMessageFileBytes, 'a')));
    QCOMPARE(deliverFile(argumentsFor(m_message), {m_socket, 2000}).exitStatus, 0);
}

// The real program: the socket from the environment, the reason on standard
// error in one line, and the "&" that Samba hands over from smb.conf.
void DeliverTest::theProgramAsSambaRunsIt()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kSocketVariable), m_socket);
    QProcess program;
    program.setProcessEnvironment(environment);
    const QStringList arguments = argumentsFor(m_message) << QStringLiteral("&");

    program.start(QStringLiteral(DELIVER_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 1);
    const QByteArray error = program.readAllStandardError();
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.contains(m_socket.toUtf8()), error.constData());
    QVERIFY(QFile::exists(m_message));

    program.start(QStringLiteral(DELIVER_PROGRAM), QStringList(arguments) << m_message);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 2);

    FakeReceiver receiver(m_socket, Answer::Delivered);
    program.start(QStringLiteral(DELIVER_PROGRAM), arguments);
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(!QFile::exists(m_message));
}

QTEST_GUILESS_MAIN(DeliverTest)
#include "tst_deliver.moc"
