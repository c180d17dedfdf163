#include "platform/processcommandstarter.h"

#include "platform/commandlinesplit.h"
#include "platform/posix/programlookup.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char **environ;

namespace brisquel {

namespace {
// posix_spawn clones without copying the program's memory, several times
// cheaper than the two full forks of QProcess::startDetached, so a group
// send does not stall the window. The child gets a session of its own, the
// null device for its standard streams and default signal handling.
pid_t spawnDetached(const QString &program, const QStringList &arguments)
{
    const QByteArray path = QFile::encodeName(program);
    std::vector<QByteArray> encoded;
    encoded.reserve(size_t(arguments.size()) + 1);
    encoded.push_back(path);
    for (const QString &argument : arguments)
        encoded.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    if (posix_spawn(&pid, path.constData(), &files, &attributes, argv.data(), environ) != 0)
        pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    return pid;
}
} // namespace

ProcessCommandStarter::ProcessCommandStarter(QStringList programFolders)
    : m_programFolders(std::move(programFolders))
{
    m_reaper.setInterval(250);
    QObject::connect(&m_reaper, &QTimer::timeout, [this] { reapFinished(); });
}

// Commands about to end are collected; one still running after a moment
// is left to the system, which collects it once this program has ended.
ProcessCommandStarter::~ProcessCommandStarter()
{
    QDeadlineTimer moment(500);
    for (reapFinished(); !m_running.empty() && !moment.hasExpired(); reapFinished())
        QThread::msleep(5);
}

void ProcessCommandStarter::start(const QString &commandLine)
{
    reapFinished();
    const QStringList argv = splitCommandLine(commandLine);
    if (argv.isEmpty())
        return;
    const QString program = findProgram(argv.first(), m_programFolders);
    if (program.isEmpty())
        return;

    // Started straight through exec, never a shell, so nothing in the
    // message can run as a command.
    const pid_t pid = spawnDetached(program, argv.mid(1));
    if (pid <= 0)
        return;
    m_running.push_back(pid);
    if (!m_reaper.isActive())
        m_reaper.start();
}

// Children that have ended are collected, so none stays a zombie; the
// command's exit status itself is of no interest.
void ProcessCommandStarter::reapFinished()
{
    std::erase_if(m_running, [](qint64 child) {
        const auto pid = pid_t(child);
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        return done == pid || done < 0;
    });
    if (m_running.empty())
        m_reaper.stop();
}

} // namespace brisquel
