#include "sessionservice.h"

#include "sourcepolicy.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace brisquel::receiver {

SessionService::SessionService(SessionContext context, QObject *parent) : QObject(parent), m_context(context) {}

void SessionService::addServer(QTcpServer *server, bool netbiosSession)
{
    server->setParent(this);
    connect(server, &QTcpServer::newConnection, this,
            [this, server, netbiosSession] { onNewConnection(server, netbiosSession); });
}

void SessionService::onNewConnection(QTcpServer *server, bool netbiosSession)
{
    while (QTcpSocket *socket = server->nextPendingConnection()) {
        const QHostAddress peer = socket->peerAddress();
        const std::optional<quint32> source = SourcePolicy::ipv4Of(peer);
        if (!source || !m_context.policy.isAllowed(peer) || !m_context.policy.openConnection(*source)) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto *connection = new SessionConnection(socket, *source, netbiosSession, m_context, this);
        connect(connection, &SessionConnection::closed, this, [this, connection] {
            m_context.policy.closeConnection(connection->source());
            connection->deleteLater();
        });
    }
}

} // namespace brisquel::receiver
