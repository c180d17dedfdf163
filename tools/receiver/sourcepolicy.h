#pragma once

#include "receiverconfig.h"

#include <QHash>
#include <QHostAddress>

#include <optional>

namespace brisquel::receiver {

// Who may talk to the service and how much: the allowed networks, the
// connections open at once (in all and per source) and the messages per
// source per minute. Sources are IPv4 addresses; an IPv4-mapped IPv6
// address is the IPv4 address it carries.
class SourcePolicy
{
public:
    struct Limits {
        int connections = 64;
        int connectionsPerSource = 8;
        int messagesPerMinute = 30;
    };
    // Empty `allowed`: loopback and the subnets of this machine's
    // interfaces.
    SourcePolicy(const QList<Subnet> &allowed, Limits limits);

    static std::optional<quint32> ipv4Of(const QHostAddress &address);

    bool isAllowed(const QHostAddress &address) const;

    // Counts a connection in; false (and nothing counted) when it is one
    // too many.
    bool openConnection(quint32 source);
    void closeConnection(quint32 source);

    // Counts a message in; false when the source already sent its share
    // this minute. `nowMs` is a monotonic clock.
    bool allowMessage(quint32 source, qint64 nowMs);

private:
    struct Window {
        qint64 startMs = 0;
        int messages = 0;
    };
    QList<Subnet> m_allowed;
    Limits m_limits;
    int m_connections = 0;
    QHash<quint32, int> m_perSource;
    QHash<quint32, Window> m_windows;
};

} // namespace brisquel::receiver
