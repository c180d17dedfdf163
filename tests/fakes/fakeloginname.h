#pragma once

#include "platform/loginname.h"

namespace brisquel {

// Hands over whatever bytes it was given.
class FakeLoginName final : public LoginName
{
public:
    explicit FakeLoginName(QByteArray name = {})
        : raw(std::move(name))
    {
    }

    QByteArray rawUserName() const override { return raw; }

    QByteArray raw;
};

} // namespace brisquel
