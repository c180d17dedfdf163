#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace brisquel::messenger {

// Packet types of the NetBIOS session service. Over TCP 445 only session
// messages are used, with the same 4-byte header.
enum class SessionPacketType : quint8 {
    Message = 0x00,
    Request = 0x81,
    PositiveResponse = 0x82,
    NegativeResponse = 0x83,
    Retarget = 0x84,
    KeepAlive = 0x85,
};

// Our messages and the answers to them are a few hundred bytes; anything
// announcing more than this is not a messenger answer.
inline constexpr qsizetype kMaxSessionPayload = 0x10000;

// One packet behind its 4-byte header: the type and a 24-bit big-endian
// length.
QByteArray sessionPacket(SessionPacketType type, QByteArrayView payload);

struct SessionPacket {
    quint8 type = 0;
    QByteArray payload;
};

// Cuts the byte stream coming from the server back into packets, however
// TCP splits it.
class SessionReader
{
public:
    // A receiver takes less than a sender: it may lower the limit.
    explicit SessionReader(qsizetype maxPayload = kMaxSessionPayload) : m_maxPayload(maxPayload) {}

    void feed(QByteArrayView bytes);

    // The next complete packet, if one has arrived.
    std::optional<SessionPacket> next();

    // True once the stream announced a packet longer than
    // the limit; nothing more is read from it.
    bool isBroken() const { return m_broken; }

    // Bytes fed and not yet handed out as packets.
    qsizetype buffered() const { return m_buffer.size(); }

private:
    qsizetype m_maxPayload;
    QByteArray m_buffer;
    bool m_broken = false;
};

} // namespace brisquel::messenger
