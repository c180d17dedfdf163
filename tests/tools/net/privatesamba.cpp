#include "privatesamba.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QHostAddress>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <csignal>
#include <utility>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

constexpr int kStartTimeoutMs = 15000;
constexpr int kStopTimeoutMs = 5000;

QString smbdProgram()
{
    QString found = QStandardPaths::findExecutable(QStringLiteral("smbd"));
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(QStringLiteral("smbd"),
                                               {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"),
                                                QStringLiteral("/sbin")});
    return found;
}

bool acceptsConnections(quint16 port)
{
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, port);
    const bool connected = probe.waitForConnected(200);
    probe.abort();
    return connected;
}

// The folders the guest account must reach: the server runs the message
// command as that account.
void openToEveryone(const QString &path, bool writable)
{
    QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                   | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    if (writable)
        permissions |= QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(path, permissions);
}

} // namespace

PrivateSamba::PrivateSamba(Setup setup)
    : m_setup(setup)
{
}

PrivateSamba::~PrivateSamba()
{
    stop();
}

QString PrivateSamba::whyUnavailable(quint16 port)
{
    if (smbdProgram().isEmpty())
        return QStringLiteral("smbd is not installed (Debian package samba)");
    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, port))
        return QStringLiteral("port %1 on 127.0.0.1 cannot be bound (%2): a private Samba server "
                              "needs root and a free port")
            .arg(port)
            .arg(server.errorString());
    return {};
}

QString PrivateSamba::folder(const char *name) const
{
    return m_root.filePath(QString::fromLatin1(name));
}

QString PrivateSamba::configFile() const
{
    return folder("smb.conf");
}

QString PrivateSamba::inboxFolder() const
{
    return folder("inbox");
}

QString PrivateSamba::writeConfig()
{
    if (!m_root.isValid())
        return QStringLiteral("cannot make a temporary folder");
    openToEveryone(m_root.path(), false);
    for (const char *name : {"private", "lock", "state", "cache", "pid", "ncalrpc", "log", "inbox", "tmp"}) {
        if (!QDir().mkpath(folder(name)))
            return QStringLiteral("cannot make %1").arg(folder(name));
    }
    openToEveryone(folder("inbox"), true);
    openToEveryone(folder("tmp"), true);

    QByteArray conf = "[global]\n"
                      "  netbios name = BRISQUELTEST\n"
                      "  workgroup = BRISQUEL\n"
                      "  server role = standalone server\n"
                      "  interfaces = 127.0.0.1\n"
                      "  bind interfaces only = yes\n"
                      "  smb ports = "
                    + QByteArray::number(m_setup.port) + "\n"
                    + (m_setup.smb1 ? "  server min protocol = NT1\n" : "")
                    + "  map to guest = Bad User\n"
                      "  load printers = no\n"
                      "  printcap name = /dev/null\n"
                      "  disable spoolss = yes\n"
                      "  log level = 1\n";
    const std::pair<const char *, const char *> places[] = {
        {"private dir", "private"}, {"lock directory", "lock"}, {"state directory", "state"},
        {"cache directory", "cache"}, {"pid directory", "pid"}, {"ncalrpc dir", "ncalrpc"},
    };
    for (const auto &[option, name] : places)
        conf += "  " + QByteArray(option) + " = " + folder(name).toUtf8() + "\n";
    conf += "  log file = " + folder("log").toUtf8() + "/log.%m\n";
    if (m_setup.acceptMessages && !m_messageCommand.isEmpty())
        conf += "  message command = " + m_messageCommand + "\n";
    else if (m_setup.acceptMessages)
        conf += "  message command = /bin/mv %s " + inboxFolder().toUtf8() + "/\n";

    QFile file(configFile());
    if (!file.open(QIODevice::WriteOnly) || file.write(conf) != conf.size())
        return QStringLiteral("cannot write %1").arg(configFile());
    return {};
}

QString PrivateSamba::start()
{
    const QString unavailable = whyUnavailable(m_setup.port);
    if (!unavailable.isEmpty())
        return unavailable;
    const QString configProblem = writeConfig();
    if (!configProblem.isEmpty())
        return configProblem;

    m_smbd = std::make_unique<QProcess>();
    m_smbd->setProgram(smbdProgram());
    m_smbd->setArguments({QStringLiteral("--foreground"), QStringLiteral("--no-process-group"),
                          QStringLiteral("--log-basename=") + folder("log"), QStringLiteral("-s"), configFile()});
    m_smbd->setStandardInputFile(QProcess::nullDevice());
    m_smbd->setStandardOutputFile(folder("log") + QStringLiteral("/stdout"));
    m_smbd->setStandardErrorFile(folder("log") + QStringLiteral("/stdout"), QIODevice::Append);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), folder("tmp")); // where the message file is written first
    m_smbd->setProcessEnvironment(environment);
    // Its own session and process group, so stopping it by its PID reaches
    // the helpers it forks too; and it goes when we go.
    m_smbd->setChildProcessModifier([] {
        ::setsid();
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    });
    m_smbd->start();
    if (!m_smbd->waitForStarted(kStartTimeoutMs))
        return QStringLiteral("smbd did not start: %1").arg(m_smbd->errorString());

    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        if (m_smbd->state() != QProcess::Running || m_smbd->waitForFinished(0)) {
            const QString why = QStringLiteral("smbd stopped at start:\n") + QString::fromUtf8(logTail());
            stop();
            return why;
        }
        if (acceptsConnections(m_setup.port))
            return {};
        QThread::msleep(50);
    }
    stop();
    return QStringLiteral("smbd did not take connections within %1 ms").arg(kStartTimeoutMs);
}

void PrivateSamba::stop()
{
    if (!m_smbd)
        return;
    const qint64 pid = m_smbd->processId();
    if (pid > 0 && m_smbd->state() == QProcess::Running) {
        ::kill(-static_cast<pid_t>(pid), SIGTERM);
        if (!m_smbd->waitForFinished(kStopTimeoutMs)) {
            ::kill(-static_cast<pid_t>(pid), SIGKILL);
            m_smbd->waitForFinished(kStopTimeoutMs);
        }
    }
    m_smbd.reset();
}

void PrivateSamba::clearInbox()
{
    QDir inbox(inboxFolder());
    for (const QString &name : inbox.entryList(QDir::Files))
        inbox.remove(name);
}

std::optional<QByteArray> PrivateSamba::takeMessage(int timeoutMs)
{
    const QDir inbox(inboxFolder());
    const QDeadlineTimer deadline(timeoutMs);
    do {
        const QStringList names = inbox.entryList({QStringLiteral("msg.*")}, QDir::Files, QDir::Time);
        if (!names.isEmpty()) {
            QFile file(inbox.filePath(names.last()));
            if (!file.open(QIODevice::ReadOnly))
                return std::nullopt;
            const QByteArray bytes = file.readAll();
            file.remove();
            return bytes;
        }
        QThread::msleep(10);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

QByteArray PrivateSamba::logTail() const
{
    QByteArray all;
    for (const char *name : {"/stdout", "/log.smbd"}) {
        QFile file(folder("log") + QString::fromLatin1(name));
        if (file.open(QIODevice::ReadOnly))
            all += file.readAll();
    }
    return all.right(2000);
}
