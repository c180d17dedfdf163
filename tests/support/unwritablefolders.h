#pragma once

#include <QFile>
#include <QList>
#include <QStringList>

#include <fcntl.h>
#include <sys/types.h>
#include <unistd.h>

namespace brisquel {

// Folders the program may read but not write, for as long as this object
// lives. Root writes anywhere, so when the tests run as root the process
// also takes the identity of the user "nobody" meanwhile (only the effective
// ids: the saved ones give root back afterwards).
class UnwritableFolders {
public:
    explicit UnwritableFolders(const QStringList &folders)
        : m_folders(folders)
    {
        for (const QString &folder : folders) {
            m_permissions << QFile::permissions(folder);
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                              | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                              | QFileDevice::ExeOther);
        }
        if (::geteuid() == 0)
            m_asNobody = ::setegid(kNobody) == 0 && ::seteuid(kNobody) == 0;
    }

    ~UnwritableFolders()
    {
        if (m_asNobody) {
            [[maybe_unused]] const int u = ::seteuid(0);
            [[maybe_unused]] const int g = ::setegid(0);
        }
        for (qsizetype i = 0; i < m_folders.size(); ++i)
            QFile::setPermissions(m_folders[i], m_permissions[i]);
    }

    UnwritableFolders(const UnwritableFolders &) = delete;
    UnwritableFolders &operator=(const UnwritableFolders &) = delete;

    // False when a folder could not be made unwritable for this process.
    bool hold() const
    {
        if (::geteuid() == 0)
            return false;
        for (const QString &folder : m_folders) {
            if (::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0)
                return false;
        }
        return true;
    }

private:
    static constexpr uid_t kNobody = 65534;
    QStringList m_folders;
    QList<QFileDevice::Permissions> m_permissions;
    bool m_asNobody = false;
};

} // namespace brisquel
