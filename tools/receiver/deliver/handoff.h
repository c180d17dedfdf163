#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QLocalSocket;

namespace brisquel::deliver {

// One message as Samba's message command is told it.
struct SambaMessage {
    QString address;   // where the sender's connection came from
    QString sender;    // who the sender says it is
    QString recipient; // the name the message was sent to
    QString text;
};

struct HandoffOutcome {
    bool delivered = false;
    QString problem; // why not, in Spanish; empty when delivered
};

// Hands one message to brisquel-receiver over its Unix socket: one JSON line
// out, one JSON line back, {"delivered": N} once the message is in the
// service's spool. The whole exchange is bounded by one timeout.
class Handoff final : public QObject
{
    Q_OBJECT

public:
    Handoff(QString socketPath, int timeoutMs, QObject *parent = nullptr);
    ~Handoff() override;

    // Starts the exchange; finished() follows exactly once. Call once.
    void send(const SambaMessage &message);

signals:
    void finished(brisquel::deliver::HandoffOutcome outcome);

private:
    void onConnected();
    void onReadyRead();
    void onError();
    void finish(HandoffOutcome outcome);

    QString m_socketPath;
    int m_timeoutMs;
    QByteArray m_request;
    QByteArray m_answer;
    QLocalSocket *m_socket = nullptr;
    QTimer m_timer;
    bool m_done = false;
};

} // namespace brisquel::deliver
