// A desktop or a hand-over on the receiver's socket, for the tests to run
// as another user (with setpriv):
//   receiver_socket_client SOCKET MILLISECONDS [ack]
// sends its standard input, prints every line that arrives within the time
// and, with "ack", acknowledges each message.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    QLocalSocket socket;
    socket.connectToServer(arguments[1]);
    if (!socket.waitForConnected(3000))
        return 1;
    QFile input;
    if (input.open(stdin, QIODevice::ReadOnly))
        socket.write(input.readAll());
    const bool acknowledge = arguments.value(3) == u"ack";
    const QDeadlineTimer deadline(arguments[2].toInt());
    QByteArray buffer;
    while (!deadline.hasExpired() && socket.state() == QLocalSocket::ConnectedState) {
        socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        buffer += socket.readAll();
        qsizetype end;
        while ((end = buffer.indexOf('\n')) >= 0) {
            const QByteArray line = buffer.left(end);
            buffer.remove(0, end + 1);
            std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
            const QJsonValue id = QJsonDocument::fromJson(line).object().value(QStringLiteral("id"));
            if (acknowledge && id.isDouble())
                socket.write("{\"ack\": " + QByteArray::number(id.toInteger()) + "}\n");
        }
        socket.flush();
    }
    return 0;
}
