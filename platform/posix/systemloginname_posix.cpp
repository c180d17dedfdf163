#include "platform/systemloginname.h"

#include "core/accountname.h"

namespace brisquel {

QByteArray SystemLoginName::rawUserName() const
{
    return accountName();
}

} // namespace brisquel
