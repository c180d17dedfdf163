#pragma once

#include "receiverconfig.h"

#include <QList>

class QTcpServer;
class QUdpSocket;

namespace brisquel::receiver {

// The sockets the service serves, bound by itself or handed over by systemd.
struct ListeningSockets {
    struct Tcp {
        QTcpServer *server = nullptr;
        bool netbiosSession = true; // port 139; 445 has no session request
    };
    QList<Tcp> tcp;
    QList<QUdpSocket *> udp;
    qintptr clientsDescriptor = -1; // the Unix socket, when systemd made it
    QString notice;                 // when Samba holds the network ports
    QString problem;                // why the service cannot start
};

inline constexpr quint16 kDirectPort = 445;

// Binds TCP 139 (and 445 when configured) and UDP 137 on each listening
// address. When something else already holds 139, only the Unix socket is
// served.
ListeningSockets bindOwnSockets(const ReceiverConfig &config);

// The sockets named "network" and "clients" by the socket units.
ListeningSockets socketsFromSystemd();

} // namespace brisquel::receiver
