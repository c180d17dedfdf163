#pragma once

#include "spool.h"

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
    Outcome deliver(const MessageContent &content);

private:
    Spool &m_spool;
    ClientHub &m_hub;
    const OurNames &m_names;
};

} // namespace brisquel::receiver
