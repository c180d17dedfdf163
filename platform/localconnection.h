#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>

namespace brisquel {

// One stream connection to a local (Unix domain) socket that never blocks
// the thread it lives on: connecting succeeds or fails at once, what comes
// is handed on as it is read, and what cannot go yet waits here. A peer
// that lets too much wait, or that goes, closes the connection.
class LocalConnection : public QObject
{
    Q_OBJECT

public:
    // Bytes allowed to wait for a peer that does not read; past them the
    // peer counts as broken.
    static constexpr qsizetype kMostUnsentBytes = 256 * 1024;

    explicit LocalConnection(QObject *parent = nullptr);
    ~LocalConnection() override;

    // Connects to the socket at `path`, dropping any connection held. False
    // when nothing listens there (or nothing can be made to), with no trace.
    bool open(const QString &path);
    // Closes quietly; `closed` is not emitted.
    void close();
    bool isOpen() const;
    // Sends what it can at once and keeps the rest until the peer reads.
    void write(const QByteArray &bytes);

signals:
    // Bytes as they come, in order, in pieces of any size.
    void received(const QByteArray &bytes);
    // The peer went, or broke the rules; the connection is closed.
    void closed();

private:
    void readAvailable();
    void sendUnsent();
    void drop();

    int m_fd = -1;
    // Made once and pointed at each new descriptor: a notifier is never
    // deleted from inside its own signal when a read ends the connection.
    QSocketNotifier m_readable{QSocketNotifier::Read};
    QSocketNotifier m_writable{QSocketNotifier::Write};
    QByteArray m_unsent;
};

} // namespace brisquel
