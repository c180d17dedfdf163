#pragma once

#include <QString>

namespace brisquel::net {

// The account this process runs as, the sender of the message; empty when
// the system cannot name it.
QString loginName();

} // namespace brisquel::net
