#include "runningreceiver.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTest>
#include <QTimer>

#include <csignal>

RunningReceiver::RunningReceiver(const QByteArray &extraConfig)
{
    QFile::setPermissions(m_folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ExeGroup | QFileDevice::ExeOther);
    QFile config(m_folder.filePath(QStringLiteral("receiver.conf")));
    if (config.open(QIODevice::WriteOnly)) {
        config.write("[global]\n"
                     "   netbios name = PEPE-PC\n"
                     "   listen = 127.0.0.1\n"
                     "   spool = " + spoolPath().toUtf8() + "\n"
                     "   socket = " + socketPath().toUtf8() + "\n"
                     "   samba config = " + m_folder.filePath(QStringLiteral("smb.conf")).toUtf8() + "\n"
                     + extraConfig);
    }
    m_process.setReadChannel(QProcess::StandardError);
    m_process.setProgram(QStringLiteral(RECEIVER_PROGRAM));
    m_process.setArguments({QStringLiteral("--config"), config.fileName(), QStringLiteral("--foreground")});
}

RunningReceiver::~RunningReceiver()
{
    kill();
}

QString RunningReceiver::start()
{
    m_errorOutput.clear();
    m_process.start();
    if (!m_process.waitForStarted(5000))
        return m_process.errorString();
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        m_process.waitForReadyRead(100);
        m_errorOutput += m_process.readAllStandardError();
        if (m_errorOutput.contains("preparado"))
            return {};
    }
    return QString::fromUtf8(m_errorOutput + m_process.readAllStandardError());
}

void RunningReceiver::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    ::kill(pid_t(m_process.processId()), SIGKILL);
    m_process.waitForFinished(5000);
}

QByteArray RunningReceiver::errorOutput()
{
    m_errorOutput += m_process.readAllStandardError();
    return m_errorOutput;
}

qint64 RunningReceiver::residentKiB() const
{
    QFile status(QStringLiteral("/proc/%1/status").arg(m_process.processId()));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString RunningReceiver::whyUnavailable()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 139))
        return QStringLiteral("cannot bind 127.0.0.1:139 here: %1").arg(probe.errorString());
    return {};
}

bool startAnew(std::unique_ptr<RunningReceiver> &receiver, const QByteArray &extraConfig)
{
    receiver.reset();
    receiver = std::make_unique<RunningReceiver>(extraConfig);
    const QString problem = receiver->start();
    if (!problem.isEmpty())
        qWarning("brisquel-receiver did not start: %s", qPrintable(problem));
    return problem.isEmpty();
}

bool DesktopClient::connectTo(const QString &socketPath)
{
    m_socket.connectToServer(socketPath);
    return m_socket.waitForConnected(3000);
}

void DesktopClient::readLines()
{
    m_buffer += m_socket.readAll();
    qsizetype end;
    while ((end = m_buffer.indexOf('\n')) >= 0) {
        m_lines << QJsonDocument::fromJson(m_buffer.left(end)).object();
        m_buffer.remove(0, end + 1);
    }
}

QList<QJsonObject> DesktopClient::waitForMessages(int count, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_lines.size() < count && !deadline.hasExpired()) {
        m_socket.waitForReadyRead(50);
        QCoreApplication::processEvents();
        readLines();
    }
    return m_lines;
}

QList<QJsonObject> DesktopClient::linesWithin(int ms)
{
    QTest::qWait(ms);
    m_socket.waitForReadyRead(10);
    readLines();
    return m_lines;
}

void DesktopClient::acknowledge(qint64 id)
{
    send(QByteArrayLiteral("{\"ack\": ") + QByteArray::number(id) + "}\n");
}

void DesktopClient::send(const QByteArray &line)
{
    m_socket.write(line);
    m_socket.waitForBytesWritten(1000);
}

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input, int timeoutMs)
{
    // The event loop runs meanwhile, so the test's own servers answer.
    QProcess process;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    loop.exec();
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
    }
    ProgramRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errorOutput = process.readAllStandardError();
    return run;
}
