#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

namespace brisquel::messenger {

// The SMB1 commands of the messenger: the single-block message and the
// three requests of a multi-block one.
enum class SmbCommand : quint8 {
    SendSingle = 0xD0,
    SendStart = 0xD5,
    SendEnd = 0xD6,
    SendText = 0xD7,
};

// Ties a request to its answer: the process and the multiplex ids of the
// SMB1 header.
struct SmbRequestIds {
    quint16 pid = 0;
    quint16 mid = 0;
};

// Each request is a whole SMB1 message (header, parameter words, data), to
// be sent as one session message. Names and text are code page 850 bytes;
// a name must hold no NUL.
QByteArray sendStartRequest(SmbRequestIds ids, QByteArrayView sender, QByteArrayView recipient);
QByteArray sendTextRequest(SmbRequestIds ids, quint16 groupId, QByteArrayView piece);
QByteArray sendEndRequest(SmbRequestIds ids, quint16 groupId);

struct SmbReply {
    quint8 command = 0;
    quint32 status = 0;
    quint16 mid = 0;
    QList<quint16> words;
    QByteArray data;
};

// Reads an answer; nothing when the bytes are not a well-formed SMB1 reply
// (wrong signature, not marked as a reply, counts running past the end).
std::optional<SmbReply> parseSmbReply(QByteArrayView message);

} // namespace brisquel::messenger
