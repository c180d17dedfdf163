#pragma once

#include "deliverydesk.h"
#include "messagetext.h"
#include "tools/messenger/sessionframing.h"
#include "tools/messenger/smbmessagerequests.h"

#include <QHostAddress>
#include <QObject>
#include <QTimer>

class QTcpSocket;

namespace brisquel::receiver {

class OurNames;
class SourcePolicy;

// What a session connection needs from the service around it.
struct SessionContext {
    DeliveryDesk &desk;
    SourcePolicy &policy;
    const OurNames &names;
    const TextDecoder &decoder;
    int idleTimeoutMs = 10000;
};

// One sender's TCP connection: on port 139 a NetBIOS session request first,
// on 445 SMB messages straight away; then single-block messages and
// multi-block ones (start, text, end). Every request gets an answer; a
// peer that breaks the framing, sends too much, keeps sending what we do
// not take or goes quiet is cut off.
class SessionConnection : public QObject
{
    Q_OBJECT

public:
    SessionConnection(QTcpSocket *socket, quint32 source, bool netbiosSession, SessionContext context,
                      QObject *parent = nullptr);

    quint32 source() const { return m_source; }

signals:
    void closed();

private:
    void onReadable();
    void handlePacket(quint8 type, const QByteArray &payload);
    void handleSessionRequest(const QByteArray &payload);
    void handleSmb(const QByteArray &message);
    void handleSingle(const messenger::SmbRequest &request);
    void handleStart(const messenger::SmbRequest &request);
    void handleText(const messenger::SmbRequest &request);
    void handleEnd(const messenger::SmbRequest &request);
    // Hands a whole message on and answers `request` once it is on disk or
    // refused; nothing more is read meanwhile.
    void finish(const messenger::SmbRequest &request, const QByteArray &sender, const QByteArray &recipient,
                const QByteArray &text);
    void reply(const messenger::SmbRequest &request, const QList<quint16> &words = {},
               messenger::SmbError error = {});
    void close();

    QTcpSocket *m_socket;
    quint32 m_source;
    bool m_sessionOpen;
    SessionContext m_context;
    messenger::SessionReader m_reader;
    QTimer m_idle;
    int m_errorsInARow = 0;
    bool m_closing = false; // nothing more is read
    bool m_closed = false;
    bool m_waitingForDisk = false;

    // The multi-block message being received.
    struct Group {
        quint16 id = 0;
        QByteArray sender;
        QByteArray recipient;
        QByteArray text;
        bool tooLong = false;
    };
    std::optional<Group> m_group;
};

} // namespace brisquel::receiver
