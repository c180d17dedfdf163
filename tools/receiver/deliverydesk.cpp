#include "deliverydesk.h"

#include "accounts.h"
#include "clienthub.h"
#include "ournames.h"

#include <cstdio>

namespace brisquel::receiver {

DeliveryDesk::DeliveryDesk(Spool &spool, ClientHub &hub, const OurNames &names)
    : m_spool(spool), m_hub(hub), m_names(names)
{
}

DeliveryDesk::Outcome DeliveryDesk::deliver(const MessageContent &content)
{
    QList<Owner> owners;
    if (const std::optional<uid_t> uid = uidOfLogin(content.to)) {
        owners << Owner(*uid);
    } else if (m_names.isMachineRecipient(content.to)) {
        owners = m_hub.connectedOwners();
        if (owners.isEmpty())
            owners << kNoOwnerYet;
    } else {
        return {Verdict::NotOurs};
    }

    const Spool::Stored stored = m_spool.store(content, owners);
    if (!stored.problem.isEmpty()) {
        std::fprintf(stderr, "brisquel-receiver: %s\n", qUtf8Printable(stored.problem));
        return {Verdict::Failed};
    }
    if (stored.full)
        return {Verdict::SpoolFull};
    for (const Spool::Copy &copy : stored.copies) {
        if (copy.owner != kNoOwnerYet)
            m_hub.push(copy.owner, {copy.id, content});
    }
    return {Verdict::Delivered, stored.copies.constFirst().id};
}

} // namespace brisquel::receiver
