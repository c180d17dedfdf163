#pragma once

#include "tools/messenger/sessionframing.h"
#include "tools/messenger/smbmessages.h"

#include <QTcpSocket>

#include <optional>

// A sender on TCP 139 that sends whatever the test asks, well formed or
// not, and reads the answers.
class RawSender
{
public:
    // Connects to 127.0.0.1:`port`; with `calledName`, opens the NetBIOS
    // session too. False when either fails.
    bool open(const QByteArray &calledName = QByteArrayLiteral("PEPE-PC"), quint16 port = 139);

    void sendFrame(const QByteArray &smb);
    void sendRaw(const QByteArray &bytes);

    // The next answer, if one comes within `timeoutMs`.
    std::optional<brisquel::messenger::SmbReply> reply(int timeoutMs = 3000);

    // A whole multi-block message; true when every step was accepted.
    bool sendMessage(const QByteArray &from, const QByteArray &to, const QByteArray &text);

    // Whether the service closed the connection within `timeoutMs`.
    bool closedWithin(int timeoutMs);

    QTcpSocket &socket() { return m_socket; }

private:
    std::optional<brisquel::messenger::SessionPacket> packet(int timeoutMs);

    QTcpSocket m_socket;
    brisquel::messenger::SessionReader m_reader;
    quint16 m_mid = 0;
};
