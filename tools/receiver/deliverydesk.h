#pragma once

#include "spool.h"

#include <functional>

namespace brisquel::receiver {

class ClientHub;
class OurNames;

// Where a received message goes: to the user whose login name it is
// addressed to, or, addressed to the machine, to every user connected (the
// first user who connects when nobody is). It is on disk before anyone
// hears it arrived.
class DeliveryDesk
{
public:
    DeliveryDesk(Spool &spool, ClientHub &hub, const OurNames &names);

    enum class Verdict { Delivered, NotOurs, SpoolFull, Failed };
    struct Outcome {
        Verdict verdict = Verdict::Failed;
        quint64 id = 0; // the first copy's, when delivered
    };
    // `done` runs once the message is on disk or refused, maybe before
    // this returns.
    void deliver(const MessageContent &content, std::function<void(Outcome)> done);

private:
    Spool &m_spool;
    ClientHub &m_hub;
    const OurNames &m_names;
};

} // namespace brisquel::receiver
