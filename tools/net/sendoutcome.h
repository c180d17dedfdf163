#pragma once

#include <QString>

namespace brisquel::net {

enum class SendOutcome {
    Delivered,
    UnknownHost, // the name resolves to no address
    NoAnswer,    // nothing accepted a connection, or the exchange broke or ran out of time
    Refused,     // the receiver answered and said no
    NoSmb1,      // the receiver took the connection and hung up at the first message request
};

// The reason shown to the user, in a few words; empty for Delivered.
QString outcomeReason(SendOutcome outcome);

// The process exit status for each outcome; 0 only for Delivered, and never
// 2, which says the command line was wrong (the usage text lists them all).
int outcomeExitStatus(SendOutcome outcome);

} // namespace brisquel::net
