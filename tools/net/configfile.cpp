#include "configfile.h"

#include "core/filefailure.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisquel::net {

namespace {

ConfigFileRead refused(const QString &reason)
{
    return {ConfigFileRead::Result::Refused, {}, reason};
}

} // namespace

ConfigFileRead readConfigFile(const QString &path)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never
    // come; what it is gets checked on the open descriptor, so nothing can
    // be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ConfigFileRead{} : refused(fileFailureReason(errno));
    struct stat info{};
    ConfigFileRead read;
    if (::fstat(fd, &info) != 0) {
        read = refused(fileFailureReason(errno));
    } else if (!S_ISREG(info.st_mode)) {
        read = refused(QStringLiteral("no es un fichero normal"));
    } else {
        read.result = ConfigFileRead::Result::Read;
        // One byte more than allowed tells a file that grew past the limit.
        read.bytes.resize(qsizetype(qMin<qint64>(info.st_size, kConfigFileLimitBytes) + 1));
        qsizetype done = 0;
        while (done < read.bytes.size()) {
            const ssize_t n = ::read(fd, read.bytes.data() + done, size_t(read.bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                read = refused(fileFailureReason(errno));
                break;
            }
            if (n == 0)
                break;
            done += n;
            if (done == read.bytes.size() && done <= kConfigFileLimitBytes)
                read.bytes.resize(qMin<qsizetype>(done * 2, kConfigFileLimitBytes + 1));
        }
        if (read.result == ConfigFileRead::Result::Read) {
            read.bytes.truncate(done);
            if (done > kConfigFileLimitBytes)
                read = refused(QStringLiteral("ocupa más de %1 MiB").arg(kConfigFileLimitBytes / (1024 * 1024)));
        }
    }
    ::close(fd);
    return read;
}

} // namespace brisquel::net
