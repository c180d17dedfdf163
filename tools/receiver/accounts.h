#pragma once

#include <QString>

#include <optional>
#include <sys/types.h>

namespace brisquel::receiver {

// The local account with this login name, compared without case as
// senders write names in upper case.
std::optional<uid_t> uidOfLogin(const QString &login);

// The login name of a uid; empty when it has none.
QString loginOfUid(uid_t uid);

} // namespace brisquel::receiver
