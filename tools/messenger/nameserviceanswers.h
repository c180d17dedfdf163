#pragma once

#include "netbiosname.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHostAddress>

#include <optional>

namespace brisquel::messenger {

// The answering side of the NetBIOS name service (RFC 1002, 4.2.12-13):
// reading a name query and building the positive response.

struct NameQuery {
    quint16 transactionId = 0;
    bool recursionDesired = false;
    NetbiosName name;       // decoded, trailing blanks removed
    QByteArray encodedName; // the question's name as sent, echoed back
};

// A query for a name of type NB, or nothing for anything else (responses,
// other opcodes, status requests, malformed packets).
std::optional<NameQuery> parseNameQuery(const QByteArray &packet);

// "This name is at `address`", for as long as `ttlSeconds`.
QByteArray positiveNameQueryResponse(const NameQuery &query, const QHostAddress &address, quint32 ttlSeconds);

// Undoes the first-level encoding of a name (the length byte 32, 32
// letters, then the scope labels up to the empty one), starting at `at`;
// `end` gets where the name stopped. Nothing when it is not well formed.
std::optional<NetbiosName> decodeNetbiosName(QByteArrayView bytes, qsizetype at = 0, qsizetype *end = nullptr);

} // namespace brisquel::messenger
