#include "messagefile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisquel::deliver {

namespace {

QString openProblem(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("no existe");
    case EACCES:
    case EPERM:
        return QStringLiteral("no hay permiso para leerlo");
    case ELOOP:
        return QStringLiteral("es un enlace simbólico");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString tooLarge()
{
    return QStringLiteral("mide más de %1 KiB").arg(kMaxMessageFileBytes / 1024);
}

// Closes the descriptor however the reading ends.
struct Descriptor {
    int fd;
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

MessageFile readMessageFile(const QString &path)
{
    // O_NONBLOCK: opening a FIFO with no writer must not wait for one.
    const Descriptor file{::open(QFile::encodeName(path).constData(),
                                 O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0)
        return {{}, openProblem(errno)};
    struct stat status {};
    if (::fstat(file.fd, &status) != 0)
        return {{}, openProblem(errno)};
    if (!S_ISREG(status.st_mode))
        return {{}, QStringLiteral("no es un fichero normal")};
    if (status.st_size > kMaxMessageFileBytes)
        return {{}, tooLarge()};

    // One byte more than allowed tells a file that grew meanwhile.
    QByteArray bytes(kMaxMessageFileBytes + 1, Qt::Uninitialized);
    qsizetype filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(file.fd, bytes.data() + filled, std::size_t(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return {{}, openProblem(errno)};
        if (got == 0)
            break;
        filled += got;
    }
    if (filled > kMaxMessageFileBytes)
        return {{}, tooLarge()};
    bytes.truncate(filled);
    return {QString::fromUtf8(bytes), {}};
}

} // namespace brisquel::deliver
