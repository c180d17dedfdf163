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

void DeliveryDesk::deliver(const MessageContent &content, std::function<void(Outcome)> done)
{
    QList<Owner> owners;
    if (const std::optional<uid_t> uid = uidOfLogin(content.to)) {
        owners << Owner(*uid);
    } else if (m_names.isMachineRecipient(content.to)) {
        owners = m_hub.connectedOwners();
        if (owners.isEmpty())
            owners << kNoOwnerYet;
    } else {
        done({Verdict::NotOurs});
        return;
    }

    m_spool.store(content, owners, [this, content, done](const Spool::Stored &stored) {
        if (!stored.problem.isEmpty())
            std::fprintf(stderr, "brisquel-receiver: %s\n", qUtf8Printable(stored.problem));
        // What reached the disk goes out, even when another copy failed.
        for (Spool::Copy copy : stored.copies) {
            // Someone may have connected while it was being written.
            const QList<Owner> connected = m_hub.connectedOwners();
            if (copy.owner == kNoOwnerYet && !connected.isEmpty() && m_spool.claim(copy.id, connected.constFirst()))
                copy.owner = connected.constFirst();
            if (copy.owner != kNoOwnerYet)
                m_hub.push(copy.owner, {copy.id, content});
        }
        if (!stored.problem.isEmpty())
            done({Verdict::Failed});
        else if (stored.full)
            done({Verdict::SpoolFull});
        else
            done({Verdict::Delivered, stored.copies.constFirst().id});
    });
}

} // namespace brisquel::receiver
