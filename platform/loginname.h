#pragma once

#include <QByteArray>

namespace brisquel {

// The login name of the user running the program, as the system hands it
// over: bytes in the system's 8-bit code page, without a terminating NUL,
// empty when it cannot be had.
class LoginName
{
public:
    virtual ~LoginName() = default;
    virtual QByteArray rawUserName() const = 0;
};

} // namespace brisquel
