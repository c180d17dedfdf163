#pragma once

#include <QString>

namespace brisquel {

// Why a file operation failed, in Spanish, from the system's error number:
// the part of a message after "No se ha podido ... «path»: ". Numbers
// without a wording of ours fall back to the system's own text, never to an
// "unknown error".
QString fileFailureReason(int errorNumber);

} // namespace brisquel
