#include "sourcepolicy.h"

#include <QNetworkInterface>

namespace brisquel::receiver {

namespace {

constexpr qint64 kMinuteMs = 60 * 1000;
// Beyond this many sources in one minute the oldest windows are dropped, so
// a flood from many addresses cannot grow the table without end.
constexpr qsizetype kMaxTrackedSources = 4096;

QList<Subnet> ownSubnets()
{
    QList<Subnet> subnets{QHostAddress::parseSubnet(QStringLiteral("127.0.0.0/8"))};
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                subnets << Subnet{entry.ip(), entry.prefixLength()};
        }
    }
    return subnets;
}

} // namespace

SourcePolicy::SourcePolicy(const QList<Subnet> &allowed, Limits limits)
    : m_allowed(allowed.isEmpty() ? ownSubnets() : allowed), m_limits(limits)
{
}

std::optional<quint32> SourcePolicy::ipv4Of(const QHostAddress &address)
{
    bool ok = false;
    const quint32 ip = address.toIPv4Address(&ok);
    return ok ? std::optional<quint32>(ip) : std::nullopt;
}

bool SourcePolicy::isAllowed(const QHostAddress &address) const
{
    const std::optional<quint32> ip = ipv4Of(address);
    if (!ip)
        return false;
    const QHostAddress v4(*ip);
    return std::any_of(m_allowed.cbegin(), m_allowed.cend(),
                       [&v4](const Subnet &subnet) { return v4.isInSubnet(subnet); });
}

bool SourcePolicy::openConnection(quint32 source)
{
    int &mine = m_perSource[source];
    if (m_connections >= m_limits.connections || mine >= m_limits.connectionsPerSource) {
        if (mine == 0)
            m_perSource.remove(source);
        return false;
    }
    ++mine;
    ++m_connections;
    return true;
}

void SourcePolicy::closeConnection(quint32 source)
{
    const auto it = m_perSource.find(source);
    if (it == m_perSource.end())
        return;
    --m_connections;
    if (--*it == 0)
        m_perSource.erase(it);
}

bool SourcePolicy::allowMessage(quint32 source, qint64 nowMs)
{
    if (m_windows.size() >= kMaxTrackedSources && !m_windows.contains(source)) {
        m_windows.removeIf([nowMs](const auto &it) { return nowMs - it.value().startMs >= kMinuteMs; });
        if (m_windows.size() >= kMaxTrackedSources)
            return false;
    }
    Window &window = m_windows[source];
    if (window.messages == 0 || nowMs - window.startMs >= kMinuteMs)
        window = {nowMs, 0};
    if (window.messages >= m_limits.messagesPerMinute)
        return false;
    ++window.messages;
    return true;
}

} // namespace brisquel::receiver
