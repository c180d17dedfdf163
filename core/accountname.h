#pragma once

#include <QByteArray>

namespace brisquel {

// The account this process runs as (the effective user), as the system
// names it: bytes in the system's 8-bit code page, empty when it cannot be
// had. Accounts without a password entry (some containers) may still have a
// login session that names them.
QByteArray accountName();

} // namespace brisquel
