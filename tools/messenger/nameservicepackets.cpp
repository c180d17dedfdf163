#include "nameservicepackets.h"

#include "nameservicewire.h"

#include <QtEndian>

namespace brisquel::messenger {

namespace {

using namespace nameservice;

QByteArray header(quint16 transactionId, quint16 flags, quint16 questions, quint16 answers)
{
    QByteArray out;
    appendWord(out, transactionId);
    appendWord(out, flags);
    appendWord(out, questions);
    appendWord(out, answers);
    appendWord(out, 0);
    appendWord(out, 0);
    return out;
}

// Where the name starting at `at` ends: after its labels and the empty
// one, or after a two-byte pointer. Nothing when it runs off the packet.
std::optional<qsizetype> skipName(const QByteArray &packet, qsizetype at)
{
    while (at < packet.size()) {
        const auto length = quint8(packet.at(at));
        if ((length & 0xC0) == 0xC0)
            return at + 2 <= packet.size() ? std::optional<qsizetype>(at + 2) : std::nullopt;
        if (length == 0)
            return at + 1;
        at += 1 + length;
    }
    return std::nullopt;
}

} // namespace

QByteArray nameQueryRequest(quint16 transactionId, const NetbiosName &name, bool broadcast)
{
    QByteArray out = header(transactionId, broadcast ? kBroadcastFlag | kRecursionDesired : kRecursionDesired, 1, 0);
    out += encodeNetbiosName(name);
    appendWord(out, kTypeNb);
    appendWord(out, kClassIn);
    return out;
}

std::optional<NameQueryAnswer> parseNameQueryResponse(const QByteArray &packet)
{
    if (packet.size() < kHeaderBytes)
        return std::nullopt;
    const quint16 flags = wordAt(packet, 2);
    if ((flags & kResponseFlag) == 0 || (flags & kOpcodeMask) != 0)
        return std::nullopt;
    NameQueryAnswer answer;
    answer.transactionId = wordAt(packet, 0);
    if ((flags & kRcodeMask) != 0 || wordAt(packet, 6) == 0)
        return answer; // negative: the name is not known
    const std::optional<qsizetype> afterName = skipName(packet, kHeaderBytes);
    // Type, class, time to live and data length follow the name.
    if (!afterName || packet.size() < *afterName + 10 || wordAt(packet, *afterName) != kTypeNb)
        return std::nullopt;
    const qsizetype dataLength = wordAt(packet, *afterName + 8);
    const qsizetype data = *afterName + 10;
    if (packet.size() < data + dataLength)
        return std::nullopt;
    // Each entry: two bytes of flags, four of address.
    for (qsizetype at = data; at + 6 <= data + dataLength; at += 6) {
        const quint32 ip = qFromBigEndian<quint32>(packet.constData() + at + 2);
        if (ip != 0)
            answer.addresses << QHostAddress(ip);
    }
    answer.positive = !answer.addresses.isEmpty();
    return answer;
}

} // namespace brisquel::messenger
