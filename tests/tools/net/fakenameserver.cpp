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

FakeNameServer::FakeNameServer(bool silent, const QHostAddress &listenOn, QObject *parent)
    : QObject(parent)
    , m_silent(silent)
{
    m_socket.bind(listenOn, 0);
    m_otherSocket.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0);
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

        QByteArray reply;
        putWord(reply, quint16(word(query, 0) + (answer == Answer::WithAnotherId ? 1 : 0)));
        const auto known = m_names.constFind(name);
        const bool found = known != m_names.constEnd();
        putWord(reply, found ? 0x8580 : 0x8583); // response, authoritative; rcode 3 when unknown
        putWord(reply, 0);
        putWord(reply, found ? 1 : 0);
        putWord(reply, 0);
        putWord(reply, 0);
        if (found) {
            QByteArray record = query.mid(12, 34 + 4); // the name, type and class as asked
            if (answer == Answer::ForAnotherName)
                record[1] = char(record.at(1) + 1); // first letter one on
            if (answer == Answer::ForAnotherService)
                record.replace(31, 2, "CA");        // suffix 0x20
            reply += record;
            reply += QByteArray(4, '\0'); // time to live
            putWord(reply, 6);
            putWord(reply, 0);
            const quint32 ip = known->toIPv4Address();
            putWord(reply, quint16(ip >> 16));
            putWord(reply, quint16(ip));
        }
        QUdpSocket &from = answer == Answer::FromAnotherAddress ? m_otherSocket : m_socket;
        from.writeDatagram(reply, datagram.senderAddress(), quint16(datagram.senderPort()));
    }
}
