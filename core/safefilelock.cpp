#include "safefilelock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace brisquel {

namespace {
constexpr std::chrono::milliseconds kPoll{20};
} // namespace

FileLock::FileLock(const QString &path, std::chrono::milliseconds wait)
{
    const QFileInfo file(path);
    m_lockPath = file.absolutePath() + QStringLiteral("/.") + file.fileName() + QStringLiteral(".lock");
    // Never follows a link nor blocks on a FIFO planted there; read-only is
    // enough for flock and works on a lock file another user made.
    m_fd = ::open(QFile::encodeName(m_lockPath).constData(),
                  O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat info{};
    if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_fd < 0)
        return;
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0) {
            m_state = State::Held;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            return;
        if (clock.elapsed() >= wait.count()) {
            m_state = State::Busy;
            return;
        }
        QThread::msleep(ulong(kPoll.count()));
    }
}

FileLock::~FileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
}

} // namespace brisquel
