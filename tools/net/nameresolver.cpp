#include "nameresolver.h"

#include "tools/messenger/nameservicepackets.h"
#include "tools/messenger/netbiosname.h"

#include <QHostInfo>
#include <QNetworkInterface>
#include <QRandomGenerator>
#include <QUdpSocket>

#include <algorithm>

namespace brisquel::net {

using namespace brisquel::messenger;

NameResolver::NameResolver(NameServiceSettings settings, ResolveTimeouts timeouts, QObject *parent)
    : QObject(parent)
    , m_settings(std::move(settings))
    , m_timeouts(timeouts)
{
    m_stepTimer.setSingleShot(true);
    connect(&m_stepTimer, &QTimer::timeout, this, &NameResolver::onStepTimeout);
    connect(&m_resendTimer, &QTimer::timeout, this, &NameResolver::sendQueries);
}

NameResolver::~NameResolver()
{
    if (m_lookupRunning)
        QHostInfo::abortHostLookup(m_lookupId);
}

void NameResolver::resolve(const QString &name)
{
    m_name = name;
    if (isAddressLiteral(name)) {
        QTimer::singleShot(0, this, [this, address = QHostAddress(name)] { finish({address}); });
        return;
    }
    m_queryName = calledNameFor(name);
    if (isNetbiosName(name) && m_queryName.suffix == kMessengerSuffix)
        m_steps = m_settings.order;
    else if (!name.isEmpty())
        m_steps = {ResolveMethod::Host};
    QTimer::singleShot(0, this, &NameResolver::nextStep);
}

void NameResolver::nextStep()
{
    endStep();
    while (!m_done && !m_steps.isEmpty()) {
        m_step = m_steps.takeFirst();
        switch (m_step) {
        case ResolveMethod::Host:
            startHostLookup();
            return;
        case ResolveMethod::Wins: {
            if (m_settings.winsServers.isEmpty())
                continue;
            QList<Network> servers;
            for (const QHostAddress &server : std::as_const(m_settings.winsServers))
                servers.append({server, 32});
            startNameQuery(m_settings.winsServers, servers, false, m_timeouts.winsMs);
            return;
        }
        case ResolveMethod::Broadcast: {
            // Only where the configuration asks for it: these packets leave
            // this machine for every computer of the local networks.
            QList<QHostAddress> broadcasts;
            QList<Network> networks;
            for (const QNetworkAddressEntry &network : localBroadcastNetworks()) {
                broadcasts.append(network.broadcast());
                networks.append({network.ip(), network.prefixLength()});
            }
            if (broadcasts.isEmpty())
                continue;
            startNameQuery(broadcasts, networks, true, m_timeouts.broadcastMs);
            return;
        }
        }
    }
    finish({});
}

void NameResolver::startHostLookup()
{
    m_lookupRunning = true;
    m_stepTimer.start(m_timeouts.hostMs);
    m_lookupId = QHostInfo::lookupHost(m_name, this, &NameResolver::onHostFound);
}

void NameResolver::onHostFound(const QHostInfo &info)
{
    m_lookupRunning = false;
    if (m_done || m_step != ResolveMethod::Host)
        return;
    QList<QHostAddress> found = info.error() == QHostInfo::NoError ? info.addresses() : QList<QHostAddress>();
    // The resolver reads "2000" as the address 0.0.7.208 without asking
    // anyone; that says nothing about a computer of that name.
    const QHostAddress numericReading(m_name);
    if (!numericReading.isNull())
        found.removeAll(numericReading);
    if (!found.isEmpty())
        finish(found);
    else
        nextStep();
}

void NameResolver::startNameQuery(const QList<QHostAddress> &targets, const QList<Network> &answerers,
                                  bool broadcast, int waitMs)
{
    m_socket = new QUdpSocket(this);
    if (!m_socket->bind(QHostAddress(QHostAddress::AnyIPv4), 0)) {
        QTimer::singleShot(0, this, &NameResolver::nextStep);
        return;
    }
    connect(m_socket, &QUdpSocket::readyRead, this, &NameResolver::onDatagrams);
    m_queryTargets = targets;
    m_answerers = answerers;
    m_transactionId = quint16(QRandomGenerator::global()->bounded(1, 0x10000));
    m_query = nameQueryRequest(m_transactionId, m_queryName, broadcast);
    m_stepTimer.start(waitMs);
    m_resendTimer.start(m_timeouts.resendMs);
    sendQueries();
}

void NameResolver::sendQueries()
{
    if (m_socket == nullptr)
        return;
    for (const QHostAddress &target : std::as_const(m_queryTargets))
        m_socket->writeDatagram(m_query, target, m_settings.nbtPort);
}

void NameResolver::onDatagrams()
{
    while (m_socket != nullptr && m_socket->hasPendingDatagrams()) {
        const qint64 size = m_socket->pendingDatagramSize();
        QByteArray packet(qMax<qint64>(size, 0), '\0');
        QHostAddress sender;
        m_socket->readDatagram(packet.data(), packet.size(), &sender);
        const std::optional<NameQueryAnswer> answer = parseNameQueryResponse(packet);
        if (!answer || answer->transactionId != m_transactionId)
            continue;
        // A negative answer sends us nowhere, so only where it comes from
        // matters; a positive one must also be about the name asked for.
        if (!comesFromAnAnswerer(sender))
            continue;
        if (answer->positive && (answer->name.name != m_queryName.name || answer->name.suffix != m_queryName.suffix))
            continue;
        if (answer->positive) {
            finish(answer->addresses);
            return;
        }
        // A WINS server that does not know the name has the last word on it,
        // when it is the only one asked; other servers may still know it.
        if (m_step == ResolveMethod::Wins && m_queryTargets.size() == 1) {
            nextStep();
            return;
        }
    }
}

bool NameResolver::comesFromAnAnswerer(const QHostAddress &sender) const
{
    return std::any_of(m_answerers.cbegin(), m_answerers.cend(),
                       [&](const Network &network) { return sender.isInSubnet(network.first, network.second); });
}

void NameResolver::onStepTimeout()
{
    if (m_step == ResolveMethod::Host && m_lookupRunning) {
        QHostInfo::abortHostLookup(m_lookupId);
        m_lookupRunning = false;
        m_abandonedLookup = true;
    }
    nextStep();
}

void NameResolver::endStep()
{
    m_stepTimer.stop();
    m_resendTimer.stop();
    if (m_socket != nullptr) {
        m_socket->disconnect(this);
        m_socket->deleteLater();
        m_socket = nullptr;
    }
}

void NameResolver::finish(const QList<QHostAddress> &addresses)
{
    if (m_done)
        return;
    endStep();
    m_done = true;
    emit resolved(addresses);
}

QList<QNetworkAddressEntry> localBroadcastNetworks()
{
    QList<QNetworkAddressEntry> networks;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::CanBroadcast)
            || flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
            if (entry.ip().protocol() == QHostAddress::IPv4Protocol && !entry.broadcast().isNull()
                && !entry.ip().isLoopback())
                networks << entry;
        }
    }
    return networks;
}

} // namespace brisquel::net
