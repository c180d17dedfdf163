#include "listeningsockets.h"

#include <QTcpServer>
#include <QUdpSocket>

#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <systemd/sd-daemon.h>

namespace brisquel::receiver {

namespace {

constexpr quint16 kNameServicePort = 137;

QString sambaNotice(const QString &reason)
{
    return QStringLiteral("%1: se sirve solo el socket local; Samba entrega los mensajes con brisquel-deliver")
        .arg(reason);
}

QString busy(const QString &what, const QHostAddress &address, quint16 port)
{
    return sambaNotice(QStringLiteral("el puerto %1 %2:%3 ya está en uso (¿Samba?)").arg(what, address.toString()).arg(port));
}

void discard(ListeningSockets &sockets)
{
    for (const ListeningSockets::Tcp &tcp : std::as_const(sockets.tcp))
        delete tcp.server;
    qDeleteAll(sockets.udp);
    sockets.tcp.clear();
    sockets.udp.clear();
}

quint16 localPort(int fd)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0 || address.sin_family != AF_INET)
        return 0;
    return ntohs(address.sin_port);
}

} // namespace

ListeningSockets bindOwnSockets(const ReceiverConfig &config)
{
    ListeningSockets sockets;
    for (const QHostAddress &address : config.listen) {
        for (const quint16 port : config.ports) {
            auto *server = new QTcpServer;
            if (!server->listen(address, port)) {
                const bool inUse = server->serverError() == QAbstractSocket::AddressInUseError;
                const QString why = server->errorString();
                delete server;
                discard(sockets);
                if (inUse)
                    sockets.notice = busy(QStringLiteral("TCP"), address, port);
                else
                    sockets.problem = QStringLiteral("no se puede escuchar en TCP %1:%2: %3")
                                          .arg(address.toString()).arg(port).arg(why);
                return sockets;
            }
            sockets.tcp << ListeningSockets::Tcp{server, port != kDirectPort};
        }
        auto *udp = new QUdpSocket;
        if (!udp->bind(address, kNameServicePort)) {
            const QString why = udp->errorString();
            const bool inUse = udp->error() == QAbstractSocket::AddressInUseError;
            delete udp;
            discard(sockets);
            if (inUse)
                sockets.notice = busy(QStringLiteral("UDP"), address, kNameServicePort);
            else
                sockets.problem = QStringLiteral("no se puede escuchar en UDP %1:%2: %3")
                                      .arg(address.toString()).arg(kNameServicePort).arg(why);
            return sockets;
        }
        sockets.udp << udp;
    }
    return sockets;
}

ListeningSockets socketsFromSystemd()
{
    ListeningSockets sockets;
    char **names = nullptr;
    const int count = sd_listen_fds_with_names(1, &names);
    if (count < 0)
        sockets.problem = QStringLiteral("systemd no dio sus sockets: %1").arg(QString::fromLocal8Bit(std::strerror(-count)));
    for (int i = 0; i < std::max(count, 0); ++i) {
        const int fd = SD_LISTEN_FDS_START + i;
        const QByteArray name = names && names[i] ? QByteArray(names[i]) : QByteArray();
        if (name == "clients" && sd_is_socket_unix(fd, SOCK_STREAM, 1, nullptr, 0) > 0) {
            sockets.clientsDescriptor = fd;
        } else if (name == "network" && sd_is_socket_inet(fd, AF_INET, SOCK_STREAM, 1, 0) > 0) {
            auto *server = new QTcpServer;
            server->setSocketDescriptor(fd);
            sockets.tcp << ListeningSockets::Tcp{server, localPort(fd) != kDirectPort};
        } else if (name == "network" && sd_is_socket_inet(fd, AF_INET, SOCK_DGRAM, -1, 0) > 0) {
            auto *udp = new QUdpSocket;
            udp->setSocketDescriptor(fd, QAbstractSocket::BoundState);
            sockets.udp << udp;
        }
        if (names)
            std::free(names[i]);
    }
    std::free(names);
    if (sockets.problem.isEmpty() && sockets.clientsDescriptor < 0)
        sockets.problem = QStringLiteral("systemd no dio el socket local (FileDescriptorName=clients)");
    if (sockets.problem.isEmpty() && sockets.tcp.isEmpty())
        sockets.notice = sambaNotice(QStringLiteral("systemd no dio puertos de red (brisquel-receiver-network.socket no está activo)"));
    return sockets;
}

} // namespace brisquel::receiver
