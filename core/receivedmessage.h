#pragma once

#include <QDateTime>
#include <QString>

namespace brisquel {

// One message the receiving service handed to this desktop.
struct ReceivedMessage {
    qint64 id = 0;      // the service's, unique on this machine and growing
    QString from;       // the sender as it claims to be: shown, never trusted
    QString to;         // the name it was sent to
    QString address;    // where the connection came from: the way back for a reply;
                        // empty when what the service gave is no address
    QDateTime received; // UTC
    QString text;       // line breaks as the sender sent them

    bool canBeAnswered() const { return !address.isEmpty(); }
};

} // namespace brisquel
