#pragma once

#include <QByteArray>
#include <QtEndian>

namespace brisquel::messenger::nameservice {

// Header flags and record codes of NetBIOS name-service packets (RFC 1002,
// 4.2.1), shared by the asking and the answering side.
inline constexpr quint16 kResponseFlag = 0x8000;
inline constexpr quint16 kOpcodeMask = 0x7800; // 0 is a query
inline constexpr quint16 kAuthoritative = 0x0400;
inline constexpr quint16 kRecursionDesired = 0x0100;
inline constexpr quint16 kBroadcastFlag = 0x0010;
inline constexpr quint16 kRcodeMask = 0x000F;
inline constexpr quint16 kTypeNb = 0x0020;
inline constexpr quint16 kClassIn = 0x0001;
inline constexpr int kHeaderBytes = 12;

inline void appendWord(QByteArray &out, quint16 word)
{
    out.append(char(word >> 8));
    out.append(char(word & 0xFF));
}

inline quint16 wordAt(const QByteArray &packet, qsizetype at)
{
    return qFromBigEndian<quint16>(packet.constData() + at);
}

} // namespace brisquel::messenger::nameservice
