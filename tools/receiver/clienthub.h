#pragma once

#include "spool.h"

#include <QHash>
#include <QJsonObject>
#include <QLocalServer>
#include <QObject>

#include <functional>
#include <optional>
#include <sys/types.h>

class QLocalSocket;

namespace brisquel::receiver {

// The Unix socket the users' desktops connect to (JSON Lines, one object a
// line). Each connection belongs to the uid the kernel gives for it: it gets
// that user's waiting messages, new ones as they arrive, and may
// acknowledge them. The uid Samba hands messages over as may instead
// deliver a message it received.
class ClientHub : public QObject
{
    Q_OBJECT

public:
    // Handles a {"deliver": {...}} line: calls `answer` with
    // {"delivered": N} or {"error": "..."}, maybe later.
    using DeliverHandler = std::function<void(const MessageContent &, std::function<void(QJsonObject)> answer)>;

    ClientHub(Spool &spool, std::optional<uid_t> handOverUid, QObject *parent = nullptr);

    void setDeliverHandler(DeliverHandler handler) { m_deliver = std::move(handler); }

    // Our own socket file, readable and writable by everyone; the reason
    // in Spanish when it cannot be made.
    QString listen(const QString &path);
    // A listening socket handed to us (by systemd).
    QString adopt(qintptr descriptor);

    // Users with a desktop connected, in the order they connected.
    QList<Owner> connectedOwners() const;
    QStringList connectedLogins() const;

    // Sends one message to every connection of its owner.
    void push(Owner owner, const SpooledMessage &message);

private:
    struct Client {
        Owner uid = kNoOwnerYet;
        bool desktop = false;
        QByteArray buffer;
        qint64 order = 0;
    };
    void onNewConnection();
    void onReadable(QLocalSocket *socket);
    void handleLine(QLocalSocket *socket, Client &client, const QByteArray &line);
    void sendPending(QLocalSocket *socket, Owner owner);
    void drop(QLocalSocket *socket);

    Spool &m_spool;
    std::optional<uid_t> m_handOverUid;
    DeliverHandler m_deliver;
    QLocalServer m_server;
    QHash<QLocalSocket *, Client> m_clients;
    qint64 m_connections = 0;
};

// One line of the socket protocol for a message.
QByteArray messageLine(const SpooledMessage &message);

} // namespace brisquel::receiver
