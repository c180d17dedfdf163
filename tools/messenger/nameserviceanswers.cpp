#include "nameserviceanswers.h"

#include "nameservicewire.h"

#include <QtEndian>

namespace brisquel::messenger {

using namespace nameservice;

namespace {

constexpr qsizetype kEncodedLength = 32;
constexpr qsizetype kMaxScopeBytes = 255;

} // namespace

std::optional<NetbiosName> decodeNetbiosName(QByteArrayView bytes, qsizetype at, qsizetype *end)
{
    if (at + 1 + kEncodedLength > bytes.size() || quint8(bytes[at]) != kEncodedLength)
        return std::nullopt;
    QByteArray raw;
    for (qsizetype i = at + 1; i < at + 1 + kEncodedLength; i += 2) {
        const int high = bytes[i] - 'A';
        const int low = bytes[i + 1] - 'A';
        if (high < 0 || high > 15 || low < 0 || low > 15)
            return std::nullopt;
        raw.append(char((high << 4) | low));
    }
    // The scope: labels up to the empty one, never a pointer in a question.
    qsizetype next = at + 1 + kEncodedLength;
    while (true) {
        if (next >= bytes.size() || next - at > kMaxScopeBytes)
            return std::nullopt;
        const auto length = quint8(bytes[next]);
        if ((length & 0xC0) != 0)
            return std::nullopt;
        ++next;
        if (length == 0)
            break;
        next += length;
    }
    if (end)
        *end = next;
    NetbiosName name;
    name.suffix = quint8(raw.back());
    raw.chop(1);
    while (raw.endsWith(' '))
        raw.chop(1);
    name.name = raw;
    return name;
}

std::optional<NameQuery> parseNameQuery(const QByteArray &packet)
{
    if (packet.size() < kHeaderBytes)
        return std::nullopt;
    const auto word = [&packet](qsizetype at) { return wordAt(packet, at); };
    const quint16 flags = word(2);
    if ((flags & kResponseFlag) != 0 || (flags & kOpcodeMask) != 0 || word(4) == 0)
        return std::nullopt;
    qsizetype afterName = 0;
    const std::optional<NetbiosName> name = decodeNetbiosName(packet, kHeaderBytes, &afterName);
    if (!name || afterName + 4 > packet.size())
        return std::nullopt;
    if (word(afterName) != kTypeNb || word(afterName + 2) != kClassIn)
        return std::nullopt;
    NameQuery query;
    query.transactionId = word(0);
    query.recursionDesired = (flags & kRecursionDesired) != 0;
    query.name = *name;
    query.encodedName = packet.sliced(kHeaderBytes, afterName - kHeaderBytes);
    return query;
}

QByteArray positiveNameQueryResponse(const NameQuery &query, const QHostAddress &address, quint32 ttlSeconds)
{
    QByteArray out;
    appendWord(out, query.transactionId);
    appendWord(out, kResponseFlag | kAuthoritative | (query.recursionDesired ? kRecursionDesired : 0));
    appendWord(out, 0); // questions
    appendWord(out, 1); // answers
    appendWord(out, 0);
    appendWord(out, 0);
    out += query.encodedName;
    appendWord(out, kTypeNb);
    appendWord(out, kClassIn);
    out.append(4, '\0');
    qToBigEndian<quint32>(ttlSeconds, out.data() + out.size() - 4);
    appendWord(out, 6);
    appendWord(out, 0); // a unique name of a B node
    out.append(4, '\0');
    qToBigEndian<quint32>(address.toIPv4Address(), out.data() + out.size() - 4);
    return out;
}

} // namespace brisquel::messenger
