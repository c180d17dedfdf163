#include "platform/systemloginname.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <lmcons.h>

namespace brisquel {

// Asked with room for any name: the 25-byte limit is readLoginName's business.
QByteArray SystemLoginName::rawUserName() const
{
    char buffer[UNLEN + 1] = {};
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size))
        return {};
    return QByteArray(buffer);
}

} // namespace brisquel
