#include "fakenameserver.h"

#include <QNetworkDatagram>

namespace {

quint16 word(const QByteArray &bytes, int at)
{
    return quint16(quint8(bytes.at(at)) << 8 | quint8(bytes.at(at + 1)));
}

void putWord(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value >> 8)).append(char(value & 0xFF));
}

} // namespace

FakeNameServer::FakeNameServer(bool silent, QObject *parent)
    : QObject(parent)
    , m_silent(silent)
{
    m_socket.bind(QHostAddress::LocalHost, 0);
    connect(&m_socket, &QUdpSocket::readyRead, this, &FakeNameServer::onDatagrams);
}

QByteArray FakeNameServer::rawName(const QByteArray &name, char suffix)
{
    return name.leftJustified(15, ' ') + suffix;
}

void FakeNameServer::add(const QByteArray &name, const QHostAddress &address)
{
    m_names.insert(name, address);
}

QByteArray FakeNameServer::configLines(const QByteArray &order) const
{
    return "[global]\n  name resolve order = " + order + "\n  wins server = 127.0.0.1\n  nbt port = "
         + QByteArray::number(port()) + "\n";
}

// Header of 12 bytes, then the name: length 32, 32 letters 'A' + nibble,
// the empty scope; then type NB (0x20) and class IN (1).
void FakeNameServer::onDatagrams()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket.receiveDatagram();
        const QByteArray query = datagram.data();
        if (query.size() < 50 || (word(query, 2) & 0xF800) != 0 || query.at(12) != 32)
            continue;
        QByteArray name;
        for (int i = 0; i < 16; ++i)
            name.append(char((query.at(13 + 2 * i) - 'A') << 4 | (query.at(14 + 2 * i) - 'A')));
        queries << name;
        if (m_silent)
            continue;

        QByteArray answer;
        putWord(answer, word(query, 0));
        const auto known = m_names.constFind(name);
        const bool found = known != m_names.constEnd();
        putWord(answer, found ? 0x8580 : 0x8583); // response, authoritative; rcode 3 when unknown
        putWord(answer, 0);
        putWord(answer, found ? 1 : 0);
        putWord(answer, 0);
        putWord(answer, 0);
        if (found) {
            answer += query.mid(12, 34 + 4); // the name, type and class as asked
            answer += QByteArray(4, '\0');   // time to live
            putWord(answer, 6);
            putWord(answer, 0);
            const quint32 ip = known->toIPv4Address();
            putWord(answer, quint16(ip >> 16));
            putWord(answer, quint16(ip));
        }
        m_socket.writeDatagram(answer, datagram.senderAddress(), quint16(datagram.senderPort()));
    }
}
