#include "handoff.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocalSocket>

namespace brisquel::deliver {

namespace {

// The service's answers are a few dozen bytes; a line longer than this is
// no answer of its.
constexpr qsizetype kMaxAnswerBytes = 4096;

QString unreadableAnswer()
{
    return QStringLiteral("el servicio dio una respuesta que no se entiende");
}

QByteArray requestLine(const SambaMessage &message)
{
    const QJsonObject deliver{{QStringLiteral("address"), message.address},
                              {QStringLiteral("from"), message.sender},
                              {QStringLiteral("to"), message.recipient},
                              {QStringLiteral("text"), message.text}};
    return QJsonDocument(QJsonObject{{QStringLiteral("deliver"), deliver}}).toJson(QJsonDocument::Compact) + '\n';
}

HandoffOutcome outcomeOf(const QByteArray &line)
{
    const QJsonObject answer = QJsonDocument::fromJson(line).object();
    if (answer.value(QStringLiteral("delivered")).isDouble())
        return {true, {}};
    const QJsonValue error = answer.value(QStringLiteral("error"));
    if (error.isString() && !error.toString().trimmed().isEmpty())
        return {false, QStringLiteral("el servicio lo rechazó: %1").arg(error.toString().simplified())};
    return {false, unreadableAnswer()};
}

} // namespace

Handoff::Handoff(QString socketPath, int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath))
    , m_timeoutMs(timeoutMs)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        finish({false, QStringLiteral("el servicio no respondió en %1 s").arg(m_timeoutMs / 1000.0)});
    });
}

Handoff::~Handoff() = default;

void Handoff::send(const SambaMessage &message)
{
    m_request = requestLine(message);
    m_socket = new QLocalSocket(this);
    connect(m_socket, &QLocalSocket::connected, this, &Handoff::onConnected);
    connect(m_socket, &QLocalSocket::readyRead, this, &Handoff::onReadyRead);
    connect(m_socket, &QLocalSocket::errorOccurred, this, &Handoff::onError);
    m_timer.start(m_timeoutMs);
    m_socket->connectToServer(m_socketPath);
}

void Handoff::onConnected()
{
    m_socket->write(m_request);
}

void Handoff::onReadyRead()
{
    m_answer += m_socket->readAll();
    const qsizetype end = m_answer.indexOf('\n');
    if (end >= 0)
        finish(outcomeOf(m_answer.left(end)));
    else if (m_answer.size() > kMaxAnswerBytes)
        finish({false, unreadableAnswer()});
}

void Handoff::onError()
{
    switch (m_socket->error()) {
    case QLocalSocket::ServerNotFoundError:
    case QLocalSocket::ConnectionRefusedError:
        finish({false, QStringLiteral("brisquel-receiver no atiende en %1").arg(m_socketPath)});
        break;
    case QLocalSocket::SocketAccessError:
        finish({false, QStringLiteral("no hay permiso para conectar con %1").arg(m_socketPath)});
        break;
    case QLocalSocket::PeerClosedError:
        // An answer may have come with the close.
        onReadyRead();
        finish({false, QStringLiteral("el servicio cerró la conexión sin responder")});
        break;
    default:
        finish({false, QStringLiteral("falló la conexión con %1: %2").arg(m_socketPath, m_socket->errorString())});
        break;
    }
}

void Handoff::finish(HandoffOutcome outcome)
{
    if (m_done)
        return;
    m_done = true;
    m_timer.stop();
    if (m_socket)
        m_socket->abort();
    emit finished(outcome);
}

} // namespace brisquel::deliver
