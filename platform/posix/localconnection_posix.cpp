#include "platform/localconnection.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace brisquel {

namespace {
// One read at a time; a few of them per wake-up, so a peer that floods the
// socket still leaves the event loop time for the windows.
constexpr qsizetype kReadChunkBytes = 64 * 1024;
constexpr int kReadsPerWakeUp = 16;
} // namespace

LocalConnection::LocalConnection(QObject *parent)
    : QObject(parent)
{
    connect(&m_readable, &QSocketNotifier::activated, this, &LocalConnection::readAvailable);
    connect(&m_writable, &QSocketNotifier::activated, this, &LocalConnection::sendUnsent);
}

LocalConnection::~LocalConnection()
{
    close();
}

bool LocalConnection::open(const QString &path)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));

    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    // A local connection is made or refused at once; EAGAIN (a full backlog)
    // counts as refused and is tried again later like any other failure.
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_readable.setSocket(fd);
    m_writable.setSocket(fd);
    m_readable.setEnabled(true);
    return true;
}

void LocalConnection::close()
{
    if (m_fd < 0)
        return;
    // The notifiers let go of the descriptor before it is closed.
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    ::close(m_fd);
    m_fd = -1;
    m_unsent.clear();
}

bool LocalConnection::isOpen() const
{
    return m_fd >= 0;
}

void LocalConnection::write(const QByteArray &bytes)
{
    if (!isOpen())
        return;
    m_unsent += bytes;
    if (m_unsent.size() > kMostUnsentBytes) {
        drop();
        return;
    }
    sendUnsent();
}

void LocalConnection::sendUnsent()
{
    while (isOpen() && !m_unsent.isEmpty()) {
        // MSG_NOSIGNAL: a peer that is gone is told by EPIPE, not SIGPIPE.
        const ssize_t sent = ::send(m_fd, m_unsent.constData(), size_t(m_unsent.size()), MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                m_writable.setEnabled(true);
                return;
            }
            drop();
            return;
        }
        m_unsent.remove(0, sent);
    }
    m_writable.setEnabled(false);
}

void LocalConnection::readAvailable()
{
    QByteArray chunk(kReadChunkBytes, Qt::Uninitialized);
    // Whoever takes the bytes may close the connection; the loop then ends.
    for (int reads = 0; isOpen() && reads < kReadsPerWakeUp; ++reads) {
        const ssize_t got = ::recv(m_fd, chunk.data(), size_t(chunk.size()), 0);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return;
        if (got <= 0) {
            drop();
            return;
        }
        emit received(chunk.first(got));
    }
}

void LocalConnection::drop()
{
    close();
    emit closed();
}

} // namespace brisquel
