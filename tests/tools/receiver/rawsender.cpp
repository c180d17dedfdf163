#include "rawsender.h"

#include "tools/messenger/netbiosname.h"

#include <QDeadlineTimer>

using namespace brisquel::messenger;

bool RawSender::open(const QByteArray &calledName, quint16 port)
{
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    if (!m_socket.waitForConnected(3000))
        return false;
    if (calledName.isEmpty())
        return true;
    sendRaw(sessionRequest({calledName, kMessengerSuffix}, {QByteArrayLiteral("PRUEBA"), kWorkstationSuffix}));
    const std::optional<SessionPacket> answer = packet(3000);
    return answer && answer->type == quint8(SessionPacketType::PositiveResponse);
}

void RawSender::sendRaw(const QByteArray &bytes)
{
    m_socket.write(bytes);
    m_socket.waitForBytesWritten(1000);
}

void RawSender::sendFrame(const QByteArray &smb)
{
    sendRaw(sessionPacket(SessionPacketType::Message, smb));
}

std::optional<SessionPacket> RawSender::packet(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        if (std::optional<SessionPacket> next = m_reader.next())
            return next;
        if (deadline.hasExpired() || m_socket.state() != QAbstractSocket::ConnectedState)
            return std::nullopt;
        if (m_socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1))))
            m_reader.feed(m_socket.readAll());
    }
}

std::optional<SmbReply> RawSender::reply(int timeoutMs)
{
    const std::optional<SessionPacket> answer = packet(timeoutMs);
    return answer ? parseSmbReply(answer->payload) : std::nullopt;
}

bool RawSender::sendMessage(const QByteArray &from, const QByteArray &to, const QByteArray &text)
{
    sendFrame(sendStartRequest({1, ++m_mid}, from, to));
    const std::optional<SmbReply> started = reply();
    if (!started || started->status != 0 || started->words.isEmpty())
        return false;
    const quint16 group = started->words.constFirst();
    for (qsizetype at = 0; at < text.size(); at += 127) {
        sendFrame(sendTextRequest({1, ++m_mid}, group, text.mid(at, 127)));
        const std::optional<SmbReply> piece = reply();
        if (!piece || piece->status != 0)
            return false;
    }
    sendFrame(sendEndRequest({1, ++m_mid}, group));
    const std::optional<SmbReply> ended = reply();
    return ended && ended->status == 0;
}

bool RawSender::closedWithin(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        m_socket.waitForReadyRead(int(std::max<qint64>(deadline.remainingTime(), 1)));
        m_socket.readAll();
    }
    return m_socket.state() != QAbstractSocket::ConnectedState;
}
