#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QLocalSocket>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// brisquel-receiver started by the test with --foreground in a temporary
// folder of its own: configuration, spool and socket there, the machine
// called PEPE-PC, ports 139 and 137 on 127.0.0.1.
class RunningReceiver
{
public:
    // `extraConfig`: more configuration lines after the test's own.
    explicit RunningReceiver(const QByteArray &extraConfig = {});
    ~RunningReceiver();

    // Starts it and waits, bounded, for it to say it is ready. Empty on
    // success, otherwise what it said.
    QString start();
    void kill();

    QString socketPath() const { return m_folder.filePath(QStringLiteral("receiver.sock")); }
    QString spoolPath() const { return m_folder.filePath(QStringLiteral("spool")); }
    QString folder() const { return m_folder.path(); }
    QByteArray errorOutput();
    qint64 pid() const { return m_process.processId(); }
    // Resident memory in KiB, from /proc.
    qint64 residentKiB() const;

    // Whether this machine lets the test bind the receiver's ports.
    static QString whyUnavailable();

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    QByteArray m_errorOutput;
};

// Replaces `receiver` with a new one started with `extraConfig`; false
// (after saying why) when it did not start.
bool startAnew(std::unique_ptr<RunningReceiver> &receiver, const QByteArray &extraConfig = {});

// A desktop connected to the receiver's socket as the test's own user.
class DesktopClient
{
public:
    bool connectTo(const QString &socketPath);
    // Waits, bounded, until `count` message lines have arrived in all.
    QList<QJsonObject> waitForMessages(int count, int timeoutMs = 5000);
    // The lines that arrived within `ms`, for checking that no more come.
    QList<QJsonObject> linesWithin(int ms);
    void acknowledge(qint64 id);
    void send(const QByteArray &line);
    QLocalSocket &socket() { return m_socket; }

private:
    void readLines();
    QLocalSocket m_socket;
    QByteArray m_buffer;
    QList<QJsonObject> m_lines;
};

// Runs a program and waits for it, bounded; its standard output.
struct ProgramRun {
    int exitCode = -1;
    QByteArray output;
    QByteArray errorOutput;
};
ProgramRun runProgram(const QString &program, const QStringList &arguments, const QByteArray &input = {},
                      int timeoutMs = 20000);
