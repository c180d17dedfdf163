#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

namespace brisquel::messenger::smb {

// Layout of SMB1 messages, shared by the sending and the receiving side.
inline constexpr qsizetype kHeaderSize = 32;
inline constexpr qsizetype kStatusAt = 5;
inline constexpr qsizetype kFlagsAt = 9;
inline constexpr qsizetype kFlags2At = 10;
inline constexpr quint8 kFlagReply = 0x80;
inline constexpr char kBufferFormatAscii = 0x04;
inline constexpr char kBufferFormatDataBlock = 0x01;

inline void appendLe16(QByteArray &out, quint16 value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>(value >> 8));
}

inline quint16 le16(QByteArrayView bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

} // namespace brisquel::messenger::smb
