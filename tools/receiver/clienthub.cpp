#include "clienthub.h"

#include "accounts.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QPointer>

#include <sys/socket.h>

namespace brisquel::receiver {

namespace {

constexpr int kMaxClients = 256;
constexpr int kMaxClientsPerUser = 16;
// A message line is a few kilobytes; a hand-over carries at most 64 KiB
// of text, escaped.
constexpr qsizetype kMaxLineBytes = 512 * 1024;
constexpr qint64 kMaxUnreadBytes = 4 * 1024 * 1024;

std::optional<uid_t> peerUid(const QLocalSocket *socket)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (::getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return std::nullopt;
    return credentials.uid;
}

QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

QJsonObject errorObject(const QString &why)
{
    return {{QStringLiteral("error"), why}};
}

// A client that stops reading is cut off before its backlog grows; later,
// as the callers may be walking the list of clients.
void send(QLocalSocket *socket, const QByteArray &bytes)
{
    socket->write(bytes);
    if (socket->bytesToWrite() > kMaxUnreadBytes)
        QMetaObject::invokeMethod(socket, &QLocalSocket::abort, Qt::QueuedConnection);
}

} // namespace

QByteArray messageLine(const SpooledMessage &message)
{
    const MessageContent &content = message.content;
    return line({
        {QStringLiteral("id"), qint64(message.id)},
        {QStringLiteral("from"), content.from},
        {QStringLiteral("to"), content.to},
        {QStringLiteral("address"), content.address},
        {QStringLiteral("received"), content.received.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("text"), content.text},
    });
}

ClientHub::ClientHub(Spool &spool, std::optional<uid_t> handOverUid, QObject *parent)
    : QObject(parent), m_spool(spool), m_handOverUid(handOverUid)
{
    m_server.setMaxPendingConnections(kMaxClients);
    connect(&m_server, &QLocalServer::newConnection, this, &ClientHub::onNewConnection);
}

QString ClientHub::listen(const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    QLocalServer::removeServer(path);
    m_server.setSocketOptions(QLocalServer::WorldAccessOption);
    if (!m_server.listen(path))
        return QStringLiteral("no se puede abrir el socket %1: %2").arg(path, m_server.errorString());
    return {};
}

QString ClientHub::adopt(qintptr descriptor)
{
    if (!m_server.listen(descriptor))
        return QStringLiteral("no se puede usar el socket que dio systemd: %1").arg(m_server.errorString());
    return {};
}

QList<Owner> ClientHub::connectedOwners() const
{
    QList<QPair<qint64, Owner>> ordered;
    for (const Client &client : m_clients) {
        if (client.desktop)
            ordered << qMakePair(client.order, client.uid);
    }
    std::sort(ordered.begin(), ordered.end());
    QList<Owner> owners;
    for (const auto &[order, uid] : std::as_const(ordered)) {
        if (!owners.contains(uid))
            owners << uid;
    }
    return owners;
}

QStringList ClientHub::connectedLogins() const
{
    QStringList logins;
    for (const Owner owner : connectedOwners())
        logins << loginOfUid(uid_t(owner));
    return logins;
}

void ClientHub::push(Owner owner, const SpooledMessage &message)
{
    const QByteArray bytes = messageLine(message);
    for (auto it = m_clients.cbegin(); it != m_clients.cend(); ++it) {
        if (it->desktop && it->uid == owner)
            send(it.key(), bytes);
    }
}

void ClientHub::onNewConnection()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        const std::optional<uid_t> uid = peerUid(socket);
        const auto sameUser = [&uid](const Client &client) { return client.uid == Owner(*uid); };
        if (!uid || m_clients.size() >= kMaxClients
            || std::count_if(m_clients.cbegin(), m_clients.cend(), sameUser) >= kMaxClientsPerUser) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setReadBufferSize(64 * 1024);
        Client client;
        client.uid = *uid;
        // The hand-over account is no desktop: it never takes messages.
        client.desktop = !m_handOverUid || *uid != *m_handOverUid;
        client.order = ++m_connections;
        m_clients.insert(socket, client);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadable(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { drop(socket); });
        if (client.desktop) {
            m_spool.claimUnowned(*uid);
            sendPending(socket, *uid);
        }
    }
}

void ClientHub::sendPending(QLocalSocket *socket, Owner owner)
{
    for (const SpooledMessage &message : m_spool.pending(owner))
        send(socket, messageLine(message));
}

void ClientHub::onReadable(QLocalSocket *socket)
{
    const auto it = m_clients.find(socket);
    if (it == m_clients.end())
        return;
    while (socket->bytesAvailable() > 0) {
        it->buffer += socket->read(kMaxLineBytes + 1 - it->buffer.size());
        qsizetype end;
        while ((end = it->buffer.indexOf('\n')) >= 0) {
            // Being cut off for not reading its answers: nothing more of
            // what it sent is answered, or the backlog would grow on.
            if (socket->bytesToWrite() > kMaxUnreadBytes)
                return;
            const QByteArray text = it->buffer.left(end);
            it->buffer.remove(0, end + 1);
            handleLine(socket, *it, text);
        }
        if (it->buffer.size() > kMaxLineBytes) {
            send(socket, line(errorObject(QStringLiteral("línea demasiado larga"))));
            socket->disconnectFromServer();
            return;
        }
    }
}

void ClientHub::handleLine(QLocalSocket *socket, Client &client, const QByteArray &text)
{
    if (text.trimmed().isEmpty())
        return;
    const QJsonObject object = QJsonDocument::fromJson(text).object();
    if (const QJsonValue ack = object.value(QStringLiteral("ack")); ack.isDouble()) {
        if (client.desktop)
            m_spool.acknowledge(client.uid, quint64(ack.toInteger()));
        return;
    }
    if (const QJsonValue deliver = object.value(QStringLiteral("deliver")); deliver.isObject()) {
        if (client.desktop || !m_deliver) {
            send(socket, line(errorObject(QStringLiteral("solo la cuenta de invitado de Samba puede entregar mensajes"))));
            return;
        }
        const QJsonObject fields = deliver.toObject();
        MessageContent content;
        content.address = fields.value(QStringLiteral("address")).toString();
        content.from = fields.value(QStringLiteral("from")).toString();
        content.to = fields.value(QStringLiteral("to")).toString();
        content.text = fields.value(QStringLiteral("text")).toString();
        const QPointer<QLocalSocket> guarded(socket);
        m_deliver(content, [guarded](const QJsonObject &answer) {
            if (guarded)
                send(guarded, line(answer));
        });
        return;
    }
    send(socket, line(errorObject(QStringLiteral("petición desconocida"))));
}

void ClientHub::drop(QLocalSocket *socket)
{
    m_clients.remove(socket);
    socket->deleteLater();
}

} // namespace brisquel::receiver
