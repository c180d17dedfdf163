#pragma once

#include "tools/messenger/netbiosname.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace brisquel::receiver {

// The names this machine answers to: its NetBIOS name and, when the
// configuration announces users, the login names of the users whose
// Brisquel is connected.
class OurNames
{
public:
    OurNames(QString machineName, bool announceUsers, std::function<QStringList()> connectedLogins);

    QString machineName() const { return m_machine; }

    // A name-service name, compared in upper case.
    bool answersTo(const QString &name) const;

    // The called name of a session request: one of ours, or *SMBSERVER.
    bool acceptsCalledName(const QString &name) const;

    // Whether a message addressed to `recipient` is for this machine as a
    // whole: its name, *SMBSERVER, an address or a host name.
    bool isMachineRecipient(const QString &recipient) const;

private:
    QString m_machine;
    bool m_announceUsers;
    std::function<QStringList()> m_connectedLogins;
};

} // namespace brisquel::receiver
