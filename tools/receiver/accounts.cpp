#include "accounts.h"

#include <QFile>
#include <QVarLengthArray>

#include <pwd.h>
#include <unistd.h>

namespace brisquel::receiver {

namespace {

template<typename Lookup>
std::optional<passwd> lookUp(Lookup lookup, QVarLengthArray<char, 1024> &buffer)
{
    passwd entry{};
    passwd *found = nullptr;
    buffer.resize(16384);
    if (lookup(&entry, buffer.data(), size_t(buffer.size()), &found) != 0 || !found)
        return std::nullopt;
    return entry;
}

} // namespace

std::optional<uid_t> uidOfLogin(const QString &login)
{
    if (login.isEmpty())
        return std::nullopt;
    for (const QString &candidate : {login.toLower(), login}) {
        const QByteArray name = QFile::encodeName(candidate);
        QVarLengthArray<char, 1024> buffer;
        const auto entry = lookUp([&name](passwd *e, char *b, size_t n, passwd **r) {
            return getpwnam_r(name.constData(), e, b, n, r);
        }, buffer);
        if (entry)
            return entry->pw_uid;
    }
    return std::nullopt;
}

QString loginOfUid(uid_t uid)
{
    QVarLengthArray<char, 1024> buffer;
    const auto entry = lookUp([uid](passwd *e, char *b, size_t n, passwd **r) { return getpwuid_r(uid, e, b, n, r); },
                              buffer);
    return entry ? QFile::decodeName(entry->pw_name) : QString();
}

} // namespace brisquel::receiver
