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

// The name a record is for, from its first-level encoding at `at`, or
// through a pointer to an earlier place; nothing when neither is there.
std::optional<NetbiosName> nameAt(const QByteArray &packet, qsizetype at)
{
    if (at + 1 < packet.size() && (quint8(packet.at(at)) & 0xC0) == 0xC0) {
        const qsizetype target = wordAt(packet, at) & 0x3FFF;
        if (target >= at)
            return std::nullopt;
        at = target;
    }
    constexpr qsizetype kEncodedBytes = 32;
    if (at + 1 + kEncodedBytes > packet.size() || quint8(packet.at(at)) != kEncodedBytes)
        return std::nullopt;
    QByteArray raw;
    for (qsizetype i = at + 1; i < at + 1 + kEncodedBytes; i += 2) {
        const int high = packet.at(i) - 'A';
        const int low = packet.at(i + 1) - 'A';
        if (high < 0 || high > 15 || low < 0 || low > 15)
            return std::nullopt;
        raw.append(char(high << 4 | low));
    }
    QByteArray name = raw.left(15);
    while (name.endsWith(' '))
        name.chop(1);
    return NetbiosName{name, quint8(raw.at(15))};
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
    answer.name = nameAt(packet, kHeaderBytes).value_or(NetbiosName{});
    return answer;
}

} // namespace brisquel::messenger
