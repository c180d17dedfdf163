#include "accountname.h"

#include <cerrno>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace brisquel {

namespace {

QByteArray passwordEntryName()
{
    const long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 1024);
    passwd entry{};
    passwd *found = nullptr;
    int rc = 0;
    while ((rc = getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found)) == ERANGE
           && buffer.size() < (1u << 20)) {
        buffer.resize(buffer.size() * 2);
    }
    if (rc != 0 || found == nullptr || found->pw_name == nullptr)
        return {};
    return QByteArray(found->pw_name);
}

QByteArray sessionLoginName()
{
    char name[256] = {};
    if (getlogin_r(name, sizeof name) != 0)
        return {};
    return QByteArray(name);
}

} // namespace

QByteArray accountName()
{
    const QByteArray name = passwordEntryName();
    return name.isEmpty() ? sessionLoginName() : name;
}

} // namespace brisquel
