#include "readloginname.h"

namespace brisquel {

namespace {
constexpr qsizetype kBufferSize = 25;
}

QString readLoginName(const LoginName &source)
{
    QByteArray name = source.rawUserName();
    // The system writes nothing at all into a buffer too small for the
    // name and its NUL, so the buffer stays empty.
    if (name.size() >= kBufferSize)
        return {};
    const qsizetype nul = name.indexOf('\0');
    if (nul >= 0)
        name.truncate(nul);
    // The 8-bit code page of the system: the locale's codec here, the ANSI
    // code page on Windows.
    return QString::fromLocal8Bit(name);
}

} // namespace brisquel
