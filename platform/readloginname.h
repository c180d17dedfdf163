#pragma once

#include "platform/loginname.h"

#include <QString>

namespace brisquel {

// The login name as the program has always read it: into a 25-byte buffer,
// so a name is delivered only if it fits with its terminating NUL (24 bytes
// at most); a longer name, or none, gives the empty text.
QString readLoginName(const LoginName &source);

} // namespace brisquel
