#include "smbmessages.h"

#include "smbwire.h"

#include <QtEndian>

namespace brisquel::messenger {

namespace {

using namespace smb;

// Header fields not set here stay zero: no status, no flags (so the
// strings are code page text, not Unicode), no tree, no user.
QByteArray request(SmbCommand command, SmbRequestIds ids, QList<quint16> words, QByteArrayView data)
{
    QByteArray message(kHeaderSize, '\0');
    message[0] = char(0xFF);
    message[1] = 'S';
    message[2] = 'M';
    message[3] = 'B';
    message[4] = static_cast<char>(command);
    qToLittleEndian<quint16>(ids.pid, message.data() + 26);
    qToLittleEndian<quint16>(ids.mid, message.data() + 30);

    message.append(static_cast<char>(words.size()));
    for (const quint16 word : words)
        appendLe16(message, word);
    appendLe16(message, static_cast<quint16>(data.size()));
    message.append(data);
    return message;
}

} // namespace

QByteArray sendStartRequest(SmbRequestIds ids, QByteArrayView sender, QByteArrayView recipient)
{
    QByteArray data;
    data.append(kBufferFormatAscii);
    data.append(sender);
    data.append('\0');
    data.append(kBufferFormatAscii);
    data.append(recipient);
    data.append('\0');
    return request(SmbCommand::SendStart, ids, {}, data);
}

QByteArray sendTextRequest(SmbRequestIds ids, quint16 groupId, QByteArrayView piece)
{
    QByteArray data;
    data.append(kBufferFormatDataBlock);
    appendLe16(data, static_cast<quint16>(piece.size()));
    data.append(piece);
    return request(SmbCommand::SendText, ids, {groupId}, data);
}

QByteArray sendEndRequest(SmbRequestIds ids, quint16 groupId)
{
    return request(SmbCommand::SendEnd, ids, {groupId}, {});
}

std::optional<SmbReply> parseSmbReply(QByteArrayView message)
{
    if (message.size() < kHeaderSize || !message.startsWith("\xFFSMB"))
        return std::nullopt;
    if ((static_cast<quint8>(message[9]) & kFlagReply) == 0)
        return std::nullopt;

    SmbReply reply;
    reply.command = static_cast<quint8>(message[4]);
    reply.status = qFromLittleEndian<quint32>(message.data() + 5);
    reply.mid = le16(message, 30);
    // A refusal is a refusal even when the server cut its body short.
    if (reply.status != 0)
        return reply;

    qsizetype at = kHeaderSize;
    if (message.size() < at + 1)
        return std::nullopt;
    const qsizetype wordCount = static_cast<quint8>(message[at++]);
    if (message.size() < at + 2 * wordCount + 2)
        return std::nullopt;
    for (qsizetype i = 0; i < wordCount; ++i, at += 2)
        reply.words.append(le16(message, at));
    const qsizetype byteCount = le16(message, at);
    at += 2;
    if (message.size() < at + byteCount)
        return std::nullopt;
    reply.data = message.sliced(at, byteCount).toByteArray();
    return reply;
}

} // namespace brisquel::messenger
