// Arbitrary bytes as a TCP stream to the receiver and as a datagram to its
// name service. Besides not crashing, what the parsers accept must make
// sense to a sender: every request we take gets a reply the sending side
// reads back as the answer to that request, and every name query we take
// gets a positive answer for the asked name.

#include "tools/messenger/nameserviceanswers.h"
#include "tools/messenger/nameservicepackets.h"
#include "tools/messenger/sessionframing.h"
#include "tools/messenger/smbmessagerequests.h"
#include "tools/messenger/smbmessages.h"

#include <QtEndian>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace brisquel::messenger;

namespace {

constexpr qsizetype kMaxFrameBytes = 4096;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_receiver: %s\n", what);
    std::abort();
}

void require(bool condition, const char *what)
{
    if (!condition)
        fail(what);
}

void checkRequest(const QByteArray &payload)
{
    const std::optional<SmbRequest> request = parseSmbRequest(payload);
    if (!request)
        return;
    require(request->data.size() <= payload.size(), "data larger than the frame");
    const SmbError error{kErrorClassServer, kErrorNoRoom};
    const std::optional<SmbReply> reply = parseSmbReply(smbReply(*request, {42}, error));
    require(reply.has_value(), "a reply the sender cannot read");
    require(reply->command == request->command, "the reply names another command");
    require(reply->mid == qFromLittleEndian<quint16>(request->header.constData() + 30), "the reply lost the mid");
    require(reply->status == (quint32(kErrorNoRoom) << 16 | kErrorClassServer), "the reply lost the error");

    if (const std::optional<SingleBlockMessage> single = parseSendSingleData(request->data)) {
        require(!single->names.sender.contains('\0') && !single->names.recipient.contains('\0'),
                "a name holds a NUL");
        require(single->text.size() < request->data.size(), "text larger than the data");
    }
    if (const std::optional<MessageNames> names = parseSendStartData(request->data))
        require(names->sender.size() + names->recipient.size() + 4 <= request->data.size(), "names past the data");
    if (const std::optional<QByteArray> piece = parseSendTextData(request->data))
        require(piece->size() + 3 <= request->data.size(), "a piece past the data");
}

void checkNameQuery(const QByteArray &packet)
{
    const std::optional<NameQuery> query = parseNameQuery(packet);
    if (!query)
        return;
    require(query->name.name.size() <= 15, "a name longer than 15 bytes");
    const QByteArray answer = positiveNameQueryResponse(*query, QHostAddress(QStringLiteral("192.0.2.7")), 300);
    const std::optional<NameQueryAnswer> read = parseNameQueryResponse(answer);
    require(read.has_value() && read->positive, "an answer the asker cannot read");
    require(read->transactionId == query->transactionId, "the answer lost the transaction id");
    require(read->addresses == QList<QHostAddress>{QHostAddress(QStringLiteral("192.0.2.7"))},
            "the answer lost the address");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    checkNameQuery(bytes);

    SessionReader reader(kMaxFrameBytes);
    // Fed in two parts, as TCP may split it.
    reader.feed(QByteArrayView(bytes).first(bytes.size() / 2));
    reader.feed(QByteArrayView(bytes).sliced(bytes.size() / 2));
    while (const std::optional<SessionPacket> packet = reader.next()) {
        require(packet->payload.size() <= kMaxFrameBytes, "a frame past the limit");
        checkRequest(packet->payload);
    }
    return 0;
}
