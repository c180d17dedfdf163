#include "fakereceiver.h"


#include <QTcpSocket>
#include <QTimer>
#include <QtEndian>

namespace {

QByteArray frame(quint8 type, const QByteArray &payload)
{
    QByteArray out(4, '\0');
    out[0] = static_cast<char>(type);
    out[1] = static_cast<char>(payload.size() >> 16);
    out[2] = static_cast<char>(payload.size() >> 8);
    out[3] = static_cast<char>(payload.size());
    return out + payload;
}

quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

FakeReceiver::FakeReceiver(bool netbiosSession, Script script, QObject *parent)
    : QObject(parent)
    , m_netbios(netbiosSession)
    , m_script(script)
{
    m_server.listen(QHostAddress::LocalHost);
    connect(&m_server, &QTcpServer::newConnection, this, &FakeReceiver::onConnection);
}

void FakeReceiver::onConnection()
{
    m_socket = m_server.nextPendingConnection();
    connect(m_socket, &QTcpSocket::readyRead, this, &FakeReceiver::onReadable);
}

void FakeReceiver::onReadable()
{
    m_buffer += m_socket->readAll();
    while (m_buffer.size() >= 4) {
        const qsizetype length = (qsizetype(quint8(m_buffer[1])) << 16) | (quint8(m_buffer[2]) << 8)
                               | quint8(m_buffer[3]);
        if (m_buffer.size() < 4 + length)
            return;
        const quint8 type = quint8(m_buffer[0]);
        const QByteArray payload = m_buffer.mid(4, length);
        m_buffer.remove(0, 4 + length);
        handle(type, payload);
        if (m_socket == nullptr)
            return;
    }
}

void FakeReceiver::handle(quint8 type, const QByteArray &payload)
{
    if (m_script == Script::Silent)
        return;
    if (m_script == Script::HangUp || (m_script == Script::HangUpOnSmb && type == 0x00)) {
        m_socket->close();
        m_socket = nullptr;
        return;
    }
    if (type == 0x81) {
        if (!m_netbios || payload.size() != 68)
            return;
        for (int i = 0; i < 16; ++i)
            calledName.append(static_cast<char>(((payload[1 + 2 * i] - 'A') << 4) | (payload[2 + 2 * i] - 'A')));
        if (m_script == Script::NegativeSession)
            respond(frame(0x83, QByteArray(1, '\x82')));
        else
            respond(frame(0x82, {}));
        return;
    }
    if (type == 0x00)
        handleSmb(payload);
}

void FakeReceiver::handleSmb(const QByteArray &message)
{
    if (m_script == Script::Garbage) {
        respond(frame(0x00, "no soy SMB"));
        return;
    }
    if (message.size() < 35)
        return;
    const auto command = quint8(message[4]);
    const int wordCount = quint8(message[32]);
    const qsizetype dataAt = 33 + 2 * wordCount + 2;
    const QByteArray data = message.mid(dataAt, le16(message, 33 + 2 * wordCount));
    switch (command) {
    case 0xD5: {
        const QList<QByteArray> fields = data.split('\0');
        sender = fields.value(0).mid(1);
        recipient = fields.value(1).mid(1);
        answer(message, command, 0, {kGroupId});
        break;
    }
    case 0xD7:
        groupIds << le16(message, 33);
        if (m_script == Script::RefuseText) {
            answer(message, command, 0xC0000022, {});
            break;
        }
        pieces << data.mid(3, le16(data, 1));
        answer(message, command, 0, {});
        break;
    case 0xD6:
        groupIds << le16(message, 33);
        ended = true;
        answer(message, command, 0, {});
        break;
    default:
        answer(message, command, 0xC0000002, {});
        break;
    }
}

// Each answer leaves after answerDelayMs, as from a slow receiver.
void FakeReceiver::respond(const QByteArray &packet)
{
    if (answerDelayMs == 0) {
        m_socket->write(packet);
        return;
    }
    QTimer::singleShot(answerDelayMs, m_socket, [socket = m_socket, packet] { socket->write(packet); });
}

void FakeReceiver::answer(const QByteArray &request, quint8 command, quint32 status, QList<quint16> words)
{
    QByteArray reply = request.left(32);
    reply[4] = static_cast<char>(command);
    qToLittleEndian<quint32>(status, reply.data() + 5);
    reply[9] = '\x80';
    reply.append(static_cast<char>(words.size()));
    for (const quint16 word : words) {
        reply.append(static_cast<char>(word & 0xFF));
        reply.append(static_cast<char>(word >> 8));
    }
    reply.append(2, '\0');
    respond(frame(0x00, reply));
}
