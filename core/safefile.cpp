#include "safefile.h"

#include "filefailure.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisquel {

namespace {

QString quoted(const QString &path)
{
    return QStringLiteral("«%1»").arg(path);
}

QString notRegular(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("es una carpeta, no un fichero");
    if (S_ISFIFO(mode))
        return QStringLiteral("es una tubería (FIFO), no un fichero normal");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("es un dispositivo, no un fichero normal");
    if (S_ISSOCK(mode))
        return QStringLiteral("es un socket, no un fichero normal");
    return QStringLiteral("no es un fichero normal");
}

// What a path leads to, once the rules above have been applied.
struct Resolved {
    QString target;    // the file to open: the path itself, or the link's target
    bool exists = false;
    struct stat info{}; // of the target, when it exists
    QString refusal;   // non-empty: the path must not be read or written
};

Resolved resolve(const QString &path)
{
    Resolved resolved;
    resolved.target = path;
    const QByteArray name = QFile::encodeName(path);
    struct stat entry{};
    if (::lstat(name.constData(), &entry) != 0) {
        if (errno != ENOENT)
            resolved.refusal = fileFailureReason(errno);
        return resolved;
    }
    if (!S_ISLNK(entry.st_mode)) {
        if (!S_ISREG(entry.st_mode))
            resolved.refusal = notRegular(entry.st_mode);
        resolved.exists = true;
        resolved.info = entry;
        return resolved;
    }

    const QString shownTarget = quoted(QFileInfo(path).symLinkTarget());
    const uid_t me = ::geteuid();
    if (entry.st_uid != me) {
        resolved.refusal = QStringLiteral("es un enlace simbólico de otro usuario");
        return resolved;
    }
    struct stat target{};
    if (::stat(name.constData(), &target) != 0) {
        resolved.refusal = QStringLiteral("es un enlace simbólico a %1, que no se puede abrir: %2")
                               .arg(shownTarget, fileFailureReason(errno));
        return resolved;
    }
    if (target.st_uid != me) {
        resolved.refusal =
            QStringLiteral("es un enlace simbólico a %1, que es de otro usuario").arg(shownTarget);
        return resolved;
    }
    if (!S_ISREG(target.st_mode)) {
        resolved.refusal =
            QStringLiteral("es un enlace simbólico a %1, que %2").arg(shownTarget, notRegular(target.st_mode));
        return resolved;
    }
    resolved.target = QFileInfo(path).canonicalFilePath();
    resolved.exists = true;
    resolved.info = target;
    return resolved;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

QString tooBig(qint64 limit)
{
    return QStringLiteral("ocupa más de %1 MiB, demasiado para ser un fichero de configuración")
        .arg(limit / (1024 * 1024));
}

// Every byte, or the errno of the call that failed.
int writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += n;
    }
    return 0;
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 limit)
{
    FileRead read;
    const Resolved resolved = resolve(path);
    if (!resolved.refusal.isEmpty()) {
        read.result = FileRead::Result::Refused;
        read.reason = resolved.refusal;
        return read;
    }
    if (!resolved.exists)
        return read;

    read.result = FileRead::Result::Refused;
    // Never blocks on a FIFO put there after the check, never follows a link
    // put there after it.
    const Descriptor fd(::open(QFile::encodeName(resolved.target).constData(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        read.reason = fileFailureReason(errno);
        return read;
    }
    struct stat opened{};
    if (::fstat(fd.get(), &opened) != 0) {
        read.reason = fileFailureReason(errno);
        return read;
    }
    if (!S_ISREG(opened.st_mode)) {
        read.reason = notRegular(opened.st_mode);
        return read;
    }
    if (opened.st_dev != resolved.info.st_dev || opened.st_ino != resolved.info.st_ino) {
        read.reason = QStringLiteral("ha cambiado mientras se abría");
        return read;
    }
    if (opened.st_size > limit) {
        read.reason = tooBig(limit);
        return read;
    }

    QByteArray bytes;
    bytes.reserve(qsizetype(opened.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            read.reason = fileFailureReason(errno);
            return read;
        }
        if (n == 0)
            break;
        if (bytes.size() + n > limit) {
            read.reason = tooBig(limit);
            return read;
        }
        bytes.append(chunk, n);
    }
    read.result = FileRead::Result::Read;
    read.bytes = std::move(bytes);
    return read;
}

QString replaceRegularFile(const QString &path, const QByteArray &bytes, const QString &likeFile)
{
    const Resolved resolved = resolve(path);
    if (!resolved.refusal.isEmpty())
        return resolved.refusal;
    const uid_t me = ::geteuid();
    if (resolved.exists && resolved.info.st_uid != me && me != 0)
        return QStringLiteral("el fichero es de otro usuario");
    struct stat like{};
    const bool hasModel = resolved.exists
        || (!likeFile.isEmpty() && ::stat(QFile::encodeName(likeFile).constData(), &like) == 0);
    const struct stat &model = resolved.exists ? resolved.info : like;

    // QSaveFile writes beside the target and renames at the end, so a crash
    // never leaves half a file. The bytes go straight to its descriptor:
    // nothing waits in a buffer that could fail to flush after the checks,
    // and the error number is that of the very call that failed.
    QSaveFile file(resolved.target);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return errno != 0 ? fileFailureReason(errno) : file.errorString();
    const int fd = file.handle();
    int failure = writeAll(fd, bytes);
    if (failure == 0 && hasModel) {
        // Failures here are the system refusing: the file then gets what a
        // new file of this user would.
        [[maybe_unused]] const int mode = ::fchmod(fd, model.st_mode & 07777);
        if (model.st_uid != me || model.st_gid != ::getegid()) {
            [[maybe_unused]] const int owner = ::fchown(fd, model.st_uid, model.st_gid);
        }
    }
    if (failure == 0 && ::fsync(fd) != 0)
        failure = errno;
    if (failure != 0) {
        file.cancelWriting(); // the unfinished copy goes with `file`; the old file is untouched
        return fileFailureReason(failure);
    }
    errno = 0;
    if (!file.commit())
        return errno != 0 ? fileFailureReason(errno) : file.errorString();
    return QString();
}

} // namespace brisquel
