#include "platform/processcommandstarter.h"

#include "platform/commandlinesplit.h"
#include "platform/posix/programlookup.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <algorithm>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace brisquel {

namespace {

// Enough for any reason a command gives. The reason comes last, so the end
// of the output is kept; what comes before is read and dropped, so the
// command never blocks on a full pipe and a chatty one costs no memory.
constexpr qsizetype kErrorOutputKept = 4096;
// How often ended commands are looked for: seldom while they run, often
// once one has closed its output and is about to end.
constexpr int kReapIntervalMs = 250;
constexpr int kReapSoonMs = 5;

// posix_spawn clones without copying the program's memory, several times
// cheaper than the two full forks of QProcess::startDetached, so a group
// send does not stall the window. The child gets a session of its own, the
// null device for stdin and stdout, `errorPipe` for stderr, and default
// signal handling.
pid_t spawnDetached(const QString &program, const QStringList &arguments, int errorPipe)
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
    posix_spawn_file_actions_adddup2(&files, errorPipe, 2);

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

// The last kErrorOutputKept bytes, from the start of a line when the cut
// falls inside one, so no half line (nor half a character) is kept.
QByteArray keptTail(const QByteArray &output)
{
    if (output.size() <= kErrorOutputKept)
        return output;
    const QByteArray tail = output.right(kErrorOutputKept);
    const qsizetype lineStart = tail.indexOf('\n');
    return lineStart < 0 ? tail : tail.mid(lineStart + 1);
}

} // namespace

// One started command: its PID, the read end of its stderr pipe (-1 once
// closed), what it wrote so far, and whom to tell when it ends.
struct ProcessCommandStarter::Child {
    pid_t pid = -1;
    int errorPipe = -1;
    std::unique_ptr<QSocketNotifier> notifier;
    QByteArray errorOutput;
    CommandStarter::EndHandler ended;
    CommandEnd end;

    void closePipe()
    {
        notifier.reset();
        if (errorPipe >= 0)
            ::close(errorPipe);
        errorPipe = -1;
    }
    ~Child() { closePipe(); }
};

ProcessCommandStarter::ProcessCommandStarter(QStringList programFolders)
    : m_programFolders(std::move(programFolders))
{
    m_reaper.setInterval(kReapIntervalMs);
    QObject::connect(&m_reaper, &QTimer::timeout, [this] { reapFinished(); });
}

// Commands about to end are collected; one still running after a moment
// is left to the system, which collects it once this program has ended.
// Nobody is told any more: those waiting may be gone already.
ProcessCommandStarter::~ProcessCommandStarter()
{
    for (const std::unique_ptr<Child> &child : m_running)
        child->ended = nullptr;
    QDeadlineTimer moment(500);
    for (reapFinished(); !m_running.empty() && !moment.hasExpired(); reapFinished())
        QThread::msleep(5);
}

void ProcessCommandStarter::start(const QString &commandLine, EndHandler ended)
{
    const QStringList argv = splitCommandLine(commandLine);
    CommandEnd failure;
    failure.program = argv.value(0);
    const QString program = findProgram(failure.program, m_programFolders);
    if (program.isEmpty()) {
        failure.kind = CommandEnd::Kind::NotFound;
        failure.searchedFolders = failure.program.contains(u'/') ? QStringList() : m_programFolders;
        if (ended)
            ended(failure);
        return;
    }

    // Started straight through exec, never a shell, so nothing in the
    // message can run as a command.
    int pipeEnds[2];
    pid_t pid = -1;
    if (::pipe2(pipeEnds, O_CLOEXEC) == 0) {
        pid = spawnDetached(program, argv.mid(1), pipeEnds[1]);
        ::close(pipeEnds[1]);
        if (pid <= 0)
            ::close(pipeEnds[0]);
    }
    if (pid <= 0) {
        failure.kind = CommandEnd::Kind::NotStarted;
        if (ended)
            ended(failure);
        return;
    }

    auto child = std::make_unique<Child>();
    child->pid = pid;
    child->errorPipe = pipeEnds[0];
    child->ended = std::move(ended);
    ::fcntl(child->errorPipe, F_SETFL, ::fcntl(child->errorPipe, F_GETFL) | O_NONBLOCK);
    child->notifier = std::make_unique<QSocketNotifier>(child->errorPipe, QSocketNotifier::Read);
    Child *watched = child.get();
    QObject::connect(child->notifier.get(), &QSocketNotifier::activated, [this, watched] {
        readErrorOutput(*watched);
    });
    m_running.push_back(std::move(child));
    if (!m_reaper.isActive())
        m_reaper.start(kReapIntervalMs);
}

// Reads what is there; at the end of the output the command is about to
// end, so it is looked for again soon.
void ProcessCommandStarter::readErrorOutput(Child &child)
{
    char buffer[1024];
    for (;;) {
        const ssize_t got = ::read(child.errorPipe, buffer, sizeof buffer);
        if (got > 0) {
            child.errorOutput.append(buffer, got);
            // Trimmed now and then rather than on every read.
            if (child.errorOutput.size() > 2 * kErrorOutputKept)
                child.errorOutput.remove(0, child.errorOutput.size() - kErrorOutputKept);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got == 0 || errno != EAGAIN) {
            child.closePipe();
            m_reaper.start(kReapSoonMs);
        }
        return;
    }
}

// True once the command has ended and been told about.
bool ProcessCommandStarter::collect(Child &child)
{
    int status = 0;
    const pid_t done = ::waitpid(child.pid, &status, WNOHANG);
    if (done == 0)
        return false;
    if (child.errorPipe >= 0)
        readErrorOutput(child); // what is left, without waiting for the end of it
    child.end.kind = CommandEnd::Kind::Ended;
    child.end.exitStatus = done == child.pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    child.end.errorOutput = QString::fromLocal8Bit(keptTail(child.errorOutput));
    return true;
}

// Children that have ended are collected, so none stays a zombie, and
// whoever started them is told how they ended.
void ProcessCommandStarter::reapFinished()
{
    std::vector<std::unique_ptr<Child>> finished;
    for (auto it = m_running.begin(); it != m_running.end();) {
        if (collect(**it)) {
            finished.push_back(std::move(*it));
            it = m_running.erase(it);
        } else {
            ++it;
        }
    }
    const bool closingSoon = std::any_of(m_running.cbegin(), m_running.cend(),
                                         [](const std::unique_ptr<Child> &child) { return child->errorPipe < 0; });
    if (m_running.empty())
        m_reaper.stop();
    else if (m_reaper.interval() != (closingSoon ? kReapSoonMs : kReapIntervalMs))
        m_reaper.start(closingSoon ? kReapSoonMs : kReapIntervalMs);
    // Told last: a handler may start the next command right away.
    for (const std::unique_ptr<Child> &child : finished) {
        if (child->ended)
            child->ended(child->end);
    }
}

} // namespace brisquel
