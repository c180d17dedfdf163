#include "safefile.h"

#include "filefailure.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <pwd.h>
#include <stdio.h>

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

QString notOurs(uid_t owner)
{
    const struct passwd *account = ::getpwuid(owner);
    const QString who = account ? QStringLiteral("«%1», ").arg(QString::fromLocal8Bit(account->pw_name)) : QString();
    return QStringLiteral("el fichero es de otro usuario (%1uid %2), y quien puede dejar un fichero ahí podría "
                          "cambiar a quién van los mensajes")
        .arg(who)
        .arg(owner);
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
    const uid_t owner = resolved.info.st_uid;
    if (owner != ::geteuid() && owner != 0) {
        read.reason = notOurs(owner);
        return read;
    }
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

namespace {

const QString kLeftoverInfix = QStringLiteral(".new-");
constexpr int kLeftoverRandomLetters = 6;
constexpr int kLeftoverAgeSeconds = 60;

QString leftoverTemplate(const QString &target)
{
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + kLeftoverInfix
        + QString(kLeftoverRandomLetters, QLatin1Char('X'));
}

// A file for the new bytes beside the target. Where the system allows, it
// has no name at all until it is complete (O_TMPFILE), so a kill while
// writing leaves nothing behind; otherwise it is created under the hidden
// leftover name at once.
struct NewFile {
    int fd = -1;
    bool unnamed = false;
    QByteArray name; // the leftover name, once it has one
};

NewFile createNewFile(const QString &target)
{
    NewFile file;
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    file.fd = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (file.fd >= 0) {
        file.unnamed = true;
        return file;
    }
    file.name = QFile::encodeName(leftoverTemplate(target));
    file.fd = ::mkostemp(file.name.data(), O_CLOEXEC);
    return file;
}

// Gives an unnamed file a name; fails on an existing one.
int linkUnnamed(int fd, const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    return ::linkat(AT_FDCWD, self.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// Gives the finished file the target's name. Without replacing: whatever has
// the name by then stays (the link and renameat2 fail on an existing name).
int giveName(NewFile &file, const QString &targetPath, bool onlyIfNew)
{
    const QByteArray target = QFile::encodeName(targetPath);
    if (file.unnamed && onlyIfNew)
        return linkUnnamed(file.fd, target);
    if (file.unnamed) {
        // Named just before the rename: only a kill in between leaves it.
        static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
        for (int tries = 0; tries < 100 && file.name.isEmpty(); ++tries) {
            QByteArray name = QFile::encodeName(leftoverTemplate(targetPath));
            for (qsizetype i = name.size() - kLeftoverRandomLetters; i < name.size(); ++i)
                name[i] = kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))];
            const int failure = linkUnnamed(file.fd, name);
            if (failure == 0)
                file.name = name;
            else if (failure != EEXIST)
                return failure;
        }
        if (file.name.isEmpty())
            return EEXIST;
    }
    if (!onlyIfNew)
        return ::rename(file.name.constData(), target.constData()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, file.name.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(file.name.constData(), target.constData()) != 0)
        return errno;
    ::unlink(file.name.constData());
    return 0;
}

// The new name is on the disk too, not only the bytes.
void syncFolder(const QString &target)
{
    const Descriptor folder(::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                                   O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
}

FileWrite failed(const QString &reason)
{
    return {FileWrite::Result::Failed, reason};
}

} // namespace

FileWrite writeRegularFile(const QString &path, const QByteArray &bytes, const WriteOptions &options)
{
    const Resolved resolved = resolve(path);
    if (!resolved.refusal.isEmpty())
        return failed(resolved.refusal);
    if (resolved.exists && options.onlyIfNew)
        return failed(fileFailureReason(EEXIST));
    const uid_t me = ::geteuid();
    if (resolved.exists && resolved.info.st_uid != me && me != 0)
        return failed(QStringLiteral("el fichero es de otro usuario"));
    struct stat like{};
    const bool hasModel = resolved.exists
        || (!options.likeFile.isEmpty() && ::stat(QFile::encodeName(options.likeFile).constData(), &like) == 0);
    const struct stat &model = resolved.exists ? resolved.info : like;

    // The bytes go to a file of their own beside the target, which takes
    // the target's name only when complete, so a crash never leaves half a
    // file; a name it may be left under cannot be mistaken for a copy.
    NewFile file = createNewFile(resolved.target);
    if (file.fd < 0)
        return failed(fileFailureReason(errno));
    const Descriptor fd(file.fd);
    const auto discard = [&file] {
        if (!file.name.isEmpty())
            ::unlink(file.name.constData());
    };
    int failure = writeAll(fd.get(), bytes);
    if (failure == 0 && hasModel) {
        // Failures here are the system refusing: the file then gets what a
        // new file of this user would.
        [[maybe_unused]] const int mode = ::fchmod(fd.get(), model.st_mode & 07777);
        if (model.st_uid != me || model.st_gid != ::getegid()) {
            [[maybe_unused]] const int owner = ::fchown(fd.get(), model.st_uid, model.st_gid);
        }
    }
    if (failure == 0 && ::fsync(fd.get()) != 0)
        failure = errno;
    if (failure == 0 && options.stillWanted && !options.stillWanted()) {
        discard();
        return {FileWrite::Result::Stopped, QString()};
    }
    if (failure == 0)
        failure = giveName(file, resolved.target, options.onlyIfNew);
    if (failure != 0) {
        discard(); // the old file is untouched
        return failed(fileFailureReason(failure));
    }
    syncFolder(resolved.target);
    return {FileWrite::Result::Written, QString()};
}

QString replaceRegularFile(const QString &path, const QByteArray &bytes, const QString &likeFile)
{
    WriteOptions options;
    options.likeFile = likeFile;
    return writeRegularFile(path, bytes, options).reason;
}

bool isLeftoverName(const QString &name, const QString &fileName)
{
    const QString prefix = QLatin1Char('.') + fileName + kLeftoverInfix;
    if (name.size() != prefix.size() + kLeftoverRandomLetters || !name.startsWith(prefix))
        return false;
    for (const QChar c : QStringView(name).sliced(prefix.size()))
        if (c > QLatin1Char('z') || !c.isLetterOrNumber())
            return false;
    return true;
}

void removeLeftovers(const QString &path)
{
    const Resolved resolved = resolve(path);
    if (!resolved.refusal.isEmpty())
        return;
    const QFileInfo target(resolved.target);
    const QDir folder(target.absolutePath());
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &name : folder.entryList(everything)) {
        if (!isLeftoverName(name, target.fileName()))
            continue;
        const QByteArray full = QFile::encodeName(folder.filePath(name));
        struct stat info{};
        if (::lstat(full.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && now - info.st_mtime > kLeftoverAgeSeconds)
            ::unlink(full.constData());
    }
}

} // namespace brisquel
