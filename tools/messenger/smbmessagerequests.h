#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace brisquel::messenger {

// The receiving side of the SMB1 messenger requests: reading what a sender
// sent and building the answer it waits for.

// One SMB1 request as it arrived. The header is kept whole because the
// reply echoes it.
struct SmbRequest {
    QByteArray header; // the 32 header bytes
    quint8 command = 0;
    QList<quint16> words;
    QByteArray data;
};

// A request, or nothing when the bytes are no SMB1 request (wrong
// signature, marked as a reply, counts running past the end).
std::optional<SmbRequest> parseSmbRequest(QByteArrayView message);

// A DOS error: class and code, both zero for success.
struct SmbError {
    quint8 errorClass = 0;
    quint16 code = 0;
};

inline constexpr quint8 kErrorClassDos = 0x01;
inline constexpr quint8 kErrorClassServer = 0x02;
inline constexpr quint16 kErrorBadFunction = 1;       // ERRDOS: not a command we take
inline constexpr quint16 kErrorGeneral = 1;           // ERRSRV: malformed request
inline constexpr quint16 kErrorMessagingOff = 82;     // ERRSRV: the name is not ours
inline constexpr quint16 kErrorNoRoom = 83;           // ERRSRV: the spool is full
inline constexpr quint16 kErrorNoResources = 89;      // ERRSRV: too many messages now
inline constexpr quint16 kErrorNoSupport = 0xFFFF;    // ERRSRV: unknown command

// The answer to a request: its header with the reply flag set and the
// status as a DOS error, then the words and no data.
QByteArray smbReply(const SmbRequest &request, const QList<quint16> &words = {}, SmbError error = {});

// The data of a send-start request: sender and recipient, each behind the
// buffer format 0x04 and ending in NUL.
struct MessageNames {
    QByteArray sender;
    QByteArray recipient;
};
std::optional<MessageNames> parseSendStartData(QByteArrayView data);

// The data of a send-text request: a data block (format 0x01, a 16-bit
// length, the bytes).
std::optional<QByteArray> parseSendTextData(QByteArrayView data);

// The data of a single-block message: sender, recipient and one data block.
struct SingleBlockMessage {
    MessageNames names;
    QByteArray text;
};
std::optional<SingleBlockMessage> parseSendSingleData(QByteArrayView data);

} // namespace brisquel::messenger
