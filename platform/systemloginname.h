#pragma once

#include "platform/loginname.h"

namespace brisquel {

// The operating system's own idea of who runs the program.
class SystemLoginName final : public LoginName
{
public:
    QByteArray rawUserName() const override;
};

} // namespace brisquel
