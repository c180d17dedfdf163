#pragma once

#include "nameresolver.h"
#include "sendoutcome.h"
#include "tools/messenger/sessionframing.h"
#include "tools/messenger/smbmessages.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

namespace brisquel::net {

// Where the receiver may listen: TCP 139 wants a NetBIOS session request
// first, TCP 445 takes SMB messages straight away.
struct Endpoint {
    quint16 port = 0;
    bool netbiosSession = false;
};

// Every wait is bounded, each step on its own and the whole send together;
// past these limits the client gives up.
struct MessengerOptions {
    QList<Endpoint> endpoints{{139, true}, {445, false}};
    NameServiceSettings names;
    ResolveTimeouts resolveTimeouts;
    int connectTimeoutMs = 4000; // all connection attempts together
    int attemptTimeoutMs = 2000; // one address and port
    int stepTimeoutMs = 5000;    // one answer of the receiver
    int totalTimeoutMs = 30000;  // everything, from the first lookup on
};

struct OutgoingMessage {
    QString recipient; // the computer, as the user typed it
    QString sender;    // the sender's login name
    QString localHost; // this computer's name, for the calling name
    QString text;
};

// Delivers one message with the messenger's multi-block SMB1 exchange:
// find the recipient (NameResolver), connect to the first address and endpoint that
// takes the connection, then send-start, one send-text per piece and
// send-end, each answered before the next is sent.
class MessengerClient final : public QObject
{
    Q_OBJECT

public:
    explicit MessengerClient(MessengerOptions options = {}, QObject *parent = nullptr);
    ~MessengerClient() override;

    // Starts the delivery; finished() follows exactly once. Call once.
    void send(const OutgoingMessage &message);

    // See NameResolver::leftALookupRunning().
    bool leftALookupRunning() const { return m_resolver.leftALookupRunning(); }

signals:
    void finished(brisquel::net::SendOutcome outcome);

private:
    enum class Step { Idle, Resolving, Connecting, Session, Start, Text, End, Done };

    struct Attempt {
        QHostAddress address;
        Endpoint endpoint;
    };

    void onResolved(const QList<QHostAddress> &addresses);
    void connectNext();
    void onConnected();
    void onSocketError();
    void onReadyRead();
    void onTimeout();
    void handlePacket(const messenger::SessionPacket &packet);
    void handleReply(const messenger::SmbReply &reply);
    void sendStart();
    void sendNextPieceOrEnd();
    void writeRequest(const QByteArray &smbMessage);
    messenger::SmbRequestIds nextIds();
    void dropSocket();
    void finish(SendOutcome outcome);

    MessengerOptions m_options;
    OutgoingMessage m_message;
    QList<QByteArray> m_pieces;
    qsizetype m_nextPiece = 0;
    QList<Attempt> m_attempts;
    qsizetype m_nextAttempt = 0;
    QDeadlineTimer m_connectDeadline;
    QTcpSocket *m_socket = nullptr;
    messenger::SessionReader m_reader;
    NameResolver m_resolver;
    QByteArray m_recipientName; // the name the receiver is told, as it is called
    QTimer m_timer;
    QTimer m_totalTimer;
    Step m_step = Step::Idle;
    quint16 m_groupId = 0;
    quint16 m_lastMid = 0;
    quint16 m_pid = 0;
};

} // namespace brisquel::net
