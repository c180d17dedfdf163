#pragma once

#include "sessionconnection.h"

#include <QList>
#include <QObject>

class QTcpServer;

namespace brisquel::receiver {

// The TCP side: the listening sockets on 139 (NetBIOS sessions) and 445
// (direct), and the connections they accept within the source policy.
class SessionService : public QObject
{
    Q_OBJECT

public:
    SessionService(SessionContext context, QObject *parent = nullptr);

    // Takes a listening server; `netbiosSession` for port 139.
    void addServer(QTcpServer *server, bool netbiosSession);

private:
    void onNewConnection(QTcpServer *server, bool netbiosSession);

    SessionContext m_context;
};

} // namespace brisquel::receiver
