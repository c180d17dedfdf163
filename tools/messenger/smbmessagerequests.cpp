#include "smbmessagerequests.h"

#include "smbwire.h"

#include <QtEndian>

namespace brisquel::messenger {

using namespace smb;

namespace {

constexpr quint16 kFlags2NtStatus = 0x4000;
constexpr quint16 kFlags2Unicode = 0x8000;

// Reads the buffers of a request's data one after the other.
class DataReader
{
public:
    explicit DataReader(QByteArrayView data) : m_data(data) {}

    std::optional<QByteArray> string()
    {
        if (m_at >= m_data.size() || m_data[m_at] != kBufferFormatAscii)
            return std::nullopt;
        const qsizetype end = m_data.indexOf('\0', m_at + 1);
        if (end < 0)
            return std::nullopt;
        QByteArray text = m_data.sliced(m_at + 1, end - m_at - 1).toByteArray();
        m_at = end + 1;
        return text;
    }

    std::optional<QByteArray> dataBlock()
    {
        if (m_at + 3 > m_data.size() || m_data[m_at] != kBufferFormatDataBlock)
            return std::nullopt;
        const qsizetype length = qFromLittleEndian<quint16>(m_data.data() + m_at + 1);
        if (m_at + 3 + length > m_data.size())
            return std::nullopt;
        QByteArray block = m_data.sliced(m_at + 3, length).toByteArray();
        m_at += 3 + length;
        return block;
    }

    std::optional<MessageNames> names()
    {
        std::optional<QByteArray> sender = string();
        if (!sender)
            return std::nullopt;
        std::optional<QByteArray> recipient = string();
        if (!recipient)
            return std::nullopt;
        return MessageNames{*sender, *recipient};
    }

private:
    QByteArrayView m_data;
    qsizetype m_at = 0;
};

} // namespace

std::optional<SmbRequest> parseSmbRequest(QByteArrayView message)
{
    if (message.size() < kHeaderSize + 3 || !message.startsWith("\xFFSMB"))
        return std::nullopt;
    if ((static_cast<quint8>(message[kFlagsAt]) & kFlagReply) != 0)
        return std::nullopt;
    SmbRequest request;
    request.header = message.first(kHeaderSize).toByteArray();
    request.command = static_cast<quint8>(message[4]);
    qsizetype at = kHeaderSize;
    const qsizetype wordCount = static_cast<quint8>(message[at++]);
    if (message.size() < at + 2 * wordCount + 2)
        return std::nullopt;
    for (qsizetype i = 0; i < wordCount; ++i, at += 2)
        request.words.append(qFromLittleEndian<quint16>(message.data() + at));
    const qsizetype byteCount = qFromLittleEndian<quint16>(message.data() + at);
    at += 2;
    if (message.size() < at + byteCount)
        return std::nullopt;
    request.data = message.sliced(at, byteCount).toByteArray();
    return request;
}

QByteArray smbReply(const SmbRequest &request, const QList<quint16> &words, SmbError error)
{
    QByteArray reply = request.header;
    reply[kFlagsAt] = static_cast<char>(static_cast<quint8>(reply[kFlagsAt]) | kFlagReply);
    // The status is a DOS error and names are not Unicode, whatever the
    // sender asked.
    auto flags2 = qFromLittleEndian<quint16>(reply.constData() + kFlags2At);
    flags2 &= quint16(~(kFlags2NtStatus | kFlags2Unicode));
    qToLittleEndian<quint16>(flags2, reply.data() + kFlags2At);
    reply[kStatusAt] = static_cast<char>(error.errorClass);
    reply[kStatusAt + 1] = 0;
    qToLittleEndian<quint16>(error.code, reply.data() + kStatusAt + 2);

    reply.append(static_cast<char>(words.size()));
    for (const quint16 word : words) {
        reply.append(static_cast<char>(word & 0xFF));
        reply.append(static_cast<char>(word >> 8));
    }
    reply.append(2, '\0'); // no data
    return reply;
}

std::optional<MessageNames> parseSendStartData(QByteArrayView data)
{
    return DataReader(data).names();
}

std::optional<QByteArray> parseSendTextData(QByteArrayView data)
{
    return DataReader(data).dataBlock();
}

std::optional<SingleBlockMessage> parseSendSingleData(QByteArrayView data)
{
    DataReader reader(data);
    std::optional<MessageNames> names = reader.names();
    if (!names)
        return std::nullopt;
    std::optional<QByteArray> text = reader.dataBlock();
    if (!text)
        return std::nullopt;
    return SingleBlockMessage{*names, *text};
}

} // namespace brisquel::messenger
