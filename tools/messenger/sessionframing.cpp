#include "sessionframing.h"

namespace brisquel::messenger {

namespace {

constexpr qsizetype kHeaderSize = 4;

} // namespace

QByteArray sessionPacket(SessionPacketType type, QByteArrayView payload)
{
    const auto length = static_cast<quint32>(payload.size());
    QByteArray packet;
    packet.reserve(kHeaderSize + payload.size());
    packet.append(static_cast<char>(type));
    packet.append(static_cast<char>((length >> 16) & 0xFF));
    packet.append(static_cast<char>((length >> 8) & 0xFF));
    packet.append(static_cast<char>(length & 0xFF));
    packet.append(payload);
    return packet;
}

void SessionReader::feed(QByteArrayView bytes)
{
    if (!m_broken)
        m_buffer.append(bytes);
}

std::optional<SessionPacket> SessionReader::next()
{
    if (m_broken || m_buffer.size() < kHeaderSize)
        return std::nullopt;
    const auto byte = [this](qsizetype i) { return static_cast<quint8>(m_buffer.at(i)); };
    const qsizetype length = (qsizetype(byte(1)) << 16) | (qsizetype(byte(2)) << 8) | byte(3);
    if (length > m_maxPayload) {
        m_broken = true;
        m_buffer.clear();
        return std::nullopt;
    }
    if (m_buffer.size() < kHeaderSize + length)
        return std::nullopt;
    SessionPacket packet{byte(0), m_buffer.mid(kHeaderSize, length)};
    m_buffer.remove(0, kHeaderSize + length);
    return packet;
}

} // namespace brisquel::messenger
