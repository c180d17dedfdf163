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

#include <sys/stat.h>

using namespace brisquel::deliver;

namespace {

// What the fake receiver does once it has read the request line.
enum class Answer { Delivered, Refused, Silent, Hangs_Up, Garbage };

// A receiver on a Unix socket: records the request line, then answers as
// told. It runs on the test's event loop, which deliverFile() spins.
class FakeReceiver
{
public:
    FakeReceiver(const QString &path, Answer answer)
        : m_answer(answer)
    {
        QVERIFY(m_server.listen(path));
        QObject::connect(&m_server, &QLocalServer::newConnection, &m_server, [this] {
            QLocalSocket *client = m_server.nextPendingConnection();
            QObject::connect(client, &QLocalSocket::readyRead, client, [this, client] {
                if (!client->canReadLine())
                    return;
                request = client->readLine();
                respond(client);
            });
        });
    }

    QByteArray request;

private:
    void respond(QLocalSocket *client)
    {
        switch (m_answer) {
        case Answer::Delivered:
            client->write("{\"delivered\": 7}\n");
            break;
        case Answer::Refused:
            client->write("{\"error\": \"el buzón de pepe está lleno\"}\n");
            break;
        case Answer::Silent:
            return;
        case Answer::Hangs_Up:
            client->disconnectFromServer();
            return;
        case Answer::Garbage:
            client->write("{\"delivered\": \"quizá\"}\n");
            break;
        }
        client->flush();
    }

    QLocalServer m_server;
    Answer m_answer;
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
    void noServiceKeepsTheFile();
    void filesThatAreNoMessage_data();
    void filesThatAreNoMessage();
    void theLargestMessageFileGoesThrough();
    void theProgramSaysOneLineAndItsStatus();

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
    QVERIFY(m_dir->isValid());
    m_socket = m_dir->filePath(QStringLiteral("receiver.sock"));
    m_message = m_dir->filePath(QStringLiteral("msg.XXXXXX"));
    QVERIFY(writeFile(m_message, kText));
}

void DeliverTest::answersOfTheService_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");

    QTest::newRow("delivered") << Answer::Delivered << 0 << QString();
    QTest::newRow("refused") << Answer::Refused << 1 << QStringLiteral("el buzón de pepe está lleno");
    QTest::newRow("no answer in time") << Answer::Silent << 1 << QStringLiteral("no respondió");
    QTest::newRow("hangs up") << Answer::Hangs_Up << 1 << QStringLiteral("cerró la conexión");
    QTest::newRow("answer not understood") << Answer::Garbage << 1 << QStringLiteral("no se entiende");
}

void DeliverTest::answersOfTheService()
{
    QFETCH(Answer, answer);
    QFETCH(int, status);
    QFETCH(QString, said);

    FakeReceiver receiver(m_socket, answer);
    QElapsedTimer clock;
    clock.start();
    const DeliveryResult result = deliverFile(argumentsFor(m_message), {m_socket, 500});
    QVERIFY2(clock.elapsed() < 3000, "the wait for the answer must be bounded");

    const QJsonObject sent = QJsonDocument::fromJson(receiver.request).object().value("deliver").toObject();
    QCOMPARE(sent.value("address").toString(), QStringLiteral("192.0.2.7"));
    QCOMPARE(sent.value("from").toString(), QStringLiteral("ANA"));
    QCOMPARE(sent.value("to").toString(), QStringLiteral("PEPE"));
    QCOMPARE(sent.value("text").toString(), QString::fromUtf8(kText));
    QVERIFY(receiver.request.endsWith('\n'));
    QCOMPARE(receiver.request.count('\n'), 1);

    QCOMPARE(result.exitStatus, status);
    QCOMPARE(QFile::exists(m_message), status != 0);
    if (status != 0) {
        QVERIFY2(result.complaint.contains(said), qPrintable(result.complaint));
        QVERIFY2(result.complaint.contains(m_message), "the complaint names the message file");
        QVERIFY(!result.complaint.contains('\n'));
    } else {
        QVERIFY(result.complaint.isEmpty());
    }
}

void DeliverTest::noServiceKeepsTheFile()
{
    const DeliveryResult result = deliverFile(argumentsFor(m_message), {m_socket, 500});
    QCOMPARE(result.exitStatus, 1);
    QVERIFY2(result.complaint.contains(QStringLiteral("no atiende en ") + m_socket), qPrintable(result.complaint));
    QVERIFY(QFile::exists(m_message));
}

void DeliverTest::filesThatAreNoMessage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("said");
    QTest::newRow("fifo") << "fifo" << QStringLiteral("no es un fichero normal");
    QTest::newRow("one byte too large") << "large" << QStringLiteral("mide más de 64 KiB");
    QTest::newRow("link") << "link" << QStringLiteral("enlace simbólico");
    QTest::newRow("missing") << "missing" << QStringLiteral("no existe");
}

// None of these may reach the service, nor hang, nor be removed.
void DeliverTest::filesThatAreNoMessage()
{
    QFETCH(QString, kind);
    QFETCH(QString, said);

    const QString path = m_dir->filePath(QStringLiteral("odd"));
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == QLatin1String("large"))
        QVERIFY(writeFile(path, QByteArray(kMaxMessageFileBytes + 1, 'a')));
    else if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(m_message, path));

    FakeReceiver receiver(m_socket, Answer::Delivered);
    QElapsedTimer clock;
    clock.start();
    const DeliveryResult result = deliverFile(argumentsFor(path), {m_socket, 500});
    QVERIFY(clock.elapsed() < 400);
    QCOMPARE(result.exitStatus, 1);
    QVERIFY2(result.complaint.contains(said), qPrintable(result.complaint));
    QVERIFY(receiver.request.isEmpty());
    QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), kind != QLatin1String("missing"));
    QVERIFY(QFile::exists(m_message));
}

void DeliverTest::theLargestMessageFileGoesThrough()
{
    QVERIFY(writeFile(m_message, QByteArray(kMaxMessageFileBytes, 'a')));
    FakeReceiver receiver(m_socket, Answer::Delivered);
    const DeliveryResult result = deliverFile(argumentsFor(m_message), {m_socket, 2000});
    QCOMPARE(result.exitStatus, 0);
    QCOMPARE(QJsonDocument::fromJson(receiver.request).object().value("deliver").toObject().value("text").toString(),
             QString(kMaxMessageFileBytes, QLatin1Char('a')));
}

// The real program, as Samba runs it: the socket from the environment, the
// reason on standard error in one line.
void DeliverTest::theProgramSaysOneLineAndItsStatus()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kSocketVariable), m_socket);
    QProcess program;
    program.setProcessEnvironment(environment);

    program.start(QStringLiteral(DELIVER_PROGRAM), argumentsFor(m_message));
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 1);
    const QByteArray error = program.readAllStandardError();
    QCOMPARE(error.count('\n'), 1);
    QVERIFY2(error.contains(m_socket.toUtf8()), error.constData());
    QVERIFY(QFile::exists(m_message));

    program.start(QStringLiteral(DELIVER_PROGRAM), {m_message});
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 2);
    program.start(QStringLiteral(DELIVER_PROGRAM), argumentsFor(m_message) << QStringLiteral("&") << m_message);
    QVERIFY(program.waitForFinished(5000));
    QCOMPARE(program.exitCode(), 2);

    // Delivered: the test's event loop serves the fake receiver meanwhile.
    // Samba hands over the "&" that ends the smb.conf line as a word.
    FakeReceiver receiver(m_socket, Answer::Delivered);
    program.start(QStringLiteral(DELIVER_PROGRAM), argumentsFor(m_message) << QStringLiteral("&"));
    QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 5000);
    QCOMPARE(program.exitCode(), 0);
    QVERIFY(program.readAllStandardError().isEmpty());
    QVERIFY(!QFile::exists(m_message));
}

QTEST_GUILESS_MAIN(DeliverTest)
#include "tst_deliver.moc"
