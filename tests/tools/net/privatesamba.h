#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// A Samba server of the test's own, on 127.0.0.1 only, living in a
// temporary folder with its own smb.conf and state. Each message it
// receives lands as one file in inboxFolder(). The server is stopped, by
// its process group, when the object goes; if the test process dies first,
// the kernel sends it SIGTERM.
class PrivateSamba
{
public:
    struct Setup {
        quint16 port = 139;
        bool acceptMessages = true; // without a message command Samba refuses messages
        bool smb1 = true;           // off, as Samba ships since 4.11, no message gets through
    };

    explicit PrivateSamba(Setup setup);
    PrivateSamba() : PrivateSamba(Setup{}) {}
    ~PrivateSamba();

    PrivateSamba(const PrivateSamba &) = delete;
    PrivateSamba &operator=(const PrivateSamba &) = delete;

    // Why a server cannot run here (no smbd, or the port cannot be bound);
    // empty when it can.
    static QString whyUnavailable(quint16 port);

    // Starts the server and waits, bounded, until it takes connections.
    // Empty on success, otherwise what went wrong.
    QString start();
    void stop();

    // What Samba runs for each message instead of moving it into
    // inboxFolder(); before start().
    void setMessageCommand(const QByteArray &command) { m_messageCommand = command; }

    QString configFile() const;
    QString inboxFolder() const;

    // Deletes every message received so far.
    void clearInbox();

    // The next message file's bytes, once it appears (bounded wait); the
    // file is removed. Nothing when none arrives in time.
    std::optional<QByteArray> takeMessage(int timeoutMs = 5000);

private:
    QString writeConfig();
    QString folder(const char *name) const;
    QByteArray logTail() const;

    Setup m_setup;
    QByteArray m_messageCommand;
    QTemporaryDir m_root;
    std::unique_ptr<QProcess> m_smbd;
};
