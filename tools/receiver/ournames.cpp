#include "ournames.h"

#include <QHostAddress>

namespace brisquel::receiver {

namespace {

const QString kAnyServer = QStringLiteral("*SMBSERVER");
constexpr qsizetype kNameLength = 15;

} // namespace

OurNames::OurNames(QString machineName, bool announceUsers, std::function<QStringList()> connectedLogins)
    : m_machine(std::move(machineName)), m_announceUsers(announceUsers),
      m_connectedLogins(std::move(connectedLogins))
{
}

bool OurNames::answersTo(const QString &name) const
{
    const QString upper = name.toUpper();
    if (upper == m_machine)
        return true;
    if (!m_announceUsers)
        return false;
    const QStringList logins = m_connectedLogins();
    return std::any_of(logins.cbegin(), logins.cend(),
                       [&upper](const QString &login) { return login.toUpper().left(kNameLength) == upper; });
}

bool OurNames::acceptsCalledName(const QString &name) const
{
    return name.toUpper() == kAnyServer || answersTo(name);
}

bool OurNames::isMachineRecipient(const QString &recipient) const
{
    const QString upper = recipient.toUpper();
    return upper.isEmpty() || upper == m_machine || upper == kAnyServer || !QHostAddress(recipient).isNull()
        || recipient.contains(u'.');
}

} // namespace brisquel::receiver
