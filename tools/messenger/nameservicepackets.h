#pragma once

#include "netbiosname.h"

#include <QByteArray>
#include <QHostAddress>
#include <QList>

#include <optional>

namespace brisquel::messenger {

// NetBIOS name service messages (RFC 1002, 4.2), the few this tool uses:
// the name query request and its positive or negative response.

// A query for `name`: to a WINS server it asks for recursion; broadcast, it
// carries the B flag.
QByteArray nameQueryRequest(quint16 transactionId, const NetbiosName &name, bool broadcast);

struct NameQueryAnswer {
    quint16 transactionId = 0;
    bool positive = false;
    QList<QHostAddress> addresses; // IPv4, in the order given
    NetbiosName name; // what a positive answer is for; empty when unreadable
};

// A name query response, or nothing for anything else (requests, other
// opcodes, truncated or malformed packets).
std::optional<NameQueryAnswer> parseNameQueryResponse(const QByteArray &packet);

} // namespace brisquel::messenger
