#include "sessionendwatcher.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace brisquel {

#ifdef Q_OS_UNIX
namespace {

// The one thing a signal handler may reach: the writing end of the pipe. It
// has to be a plain static, as the handler gets no context.
int g_signalWriteEnd = -1;

void noteSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalWriteEnd, &byte, 1);
    errno = saved;
}

} // namespace
#endif

SessionEndWatcher::SessionEndWatcher(QObject *parent)
    : QObject(parent)
{
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, &SessionEndWatcher::saveRequested,
                Qt::DirectConnection);
    }
#ifdef Q_OS_UNIX
    int ends[2];
    if (g_signalWriteEnd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, ends) != 0)
        return;
    g_signalWriteEnd = ends[0];
    m_notifier = new QSocketNotifier(ends[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SessionEndWatcher::drain);

    struct sigaction action{};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    struct sigaction hangUpBefore{};
    ::sigaction(SIGHUP, nullptr, &hangUpBefore);
    m_hangUpWatched = hangUpBefore.sa_handler != SIG_IGN;
    if (m_hangUpWatched)
        ::sigaction(SIGHUP, &action, nullptr);
#endif
}

SessionEndWatcher::~SessionEndWatcher()
{
#ifdef Q_OS_UNIX
    if (!m_notifier)
        return;
    struct sigaction action{};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    if (m_hangUpWatched)
        ::sigaction(SIGHUP, &action, nullptr);
    const int readEnd = int(m_notifier->socket());
    delete m_notifier;
    ::close(readEnd);
    ::close(g_signalWriteEnd);
    g_signalWriteEnd = -1;
#endif
}

void SessionEndWatcher::drain()
{
#ifdef Q_OS_UNIX
    char bytes[64];
    bool any = false;
    while (::read(int(m_notifier->socket()), bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit endRequested();
#endif
}

} // namespace brisquel
