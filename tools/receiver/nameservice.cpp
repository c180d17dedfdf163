#include "nameservice.h"

#include "ournames.h"
#include "sourcepolicy.h"
#include "tools/messenger/cp850decode.h"
#include "tools/messenger/nameserviceanswers.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QUdpSocket>

#include <netinet/in.h>
#include <sys/socket.h>

namespace brisquel::receiver {

using namespace brisquel::messenger;

namespace {

constexpr qint64 kMaxDatagram = 576;
constexpr quint32 kTtlSeconds = 300;

// The address to answer with: the one the query was sent to, or, for a
// broadcast, the receiving interface's own.
QHostAddress answerAddress(const QNetworkDatagram &query)
{
    const QHostAddress to = query.destinationAddress();
    const QNetworkInterface interface = QNetworkInterface::interfaceFromIndex(int(query.interfaceIndex()));
    for (const QNetworkAddressEntry &entry : interface.addressEntries()) {
        if (entry.ip().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        if (to.isNull() || to == entry.broadcast() || to == QHostAddress(QHostAddress::Broadcast))
            return entry.ip();
    }
    if (const std::optional<quint32> ip = SourcePolicy::ipv4Of(to))
        return QHostAddress(*ip);
    return {};
}

} // namespace

NameService::NameService(QUdpSocket *socket, const SourcePolicy &policy, const OurNames &names, QObject *parent)
    : QObject(parent), m_socket(socket), m_policy(policy), m_names(names)
{
    socket->setParent(this);
    // Where each query was sent to comes with it.
    const int on = 1;
    ::setsockopt(int(socket->socketDescriptor()), IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    connect(socket, &QUdpSocket::readyRead, this, &NameService::onReadable);
}

void NameService::onReadable()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kMaxDatagram);
        if (!m_policy.isAllowed(datagram.senderAddress()))
            continue;
        const std::optional<NameQuery> query = parseNameQuery(datagram.data());
        if (!query || query->name.suffix != kMessengerSuffix || !m_names.answersTo(decodeCp850(query->name.name)))
            continue;
        const QHostAddress address = answerAddress(datagram);
        if (address.isNull())
            continue;
        QNetworkDatagram answer(positiveNameQueryResponse(*query, address, kTtlSeconds), datagram.senderAddress(),
                                quint16(datagram.senderPort()));
        answer.setSender(address);
        answer.setInterfaceIndex(datagram.interfaceIndex());
        m_socket->writeDatagram(answer);
    }
}

} // namespace brisquel::receiver
