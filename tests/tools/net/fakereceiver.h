#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTcpServer>

class QTcpSocket;

// A messenger receiver on 127.0.0.1 that speaks just enough SMB1 to take a
// multi-block message, written apart from the code under test, with a
// script of what goes wrong.
class FakeReceiver : public QObject
{
    Q_OBJECT

public:
    enum class Script {
        Accept,
        NegativeSession, // 139: "called name not present"
        RefuseText,      // a non-zero status for the first piece
        Silent,          // reads everything, answers nothing
        HangUp,          // closes on the first request
        HangUpOnSmb,     // takes the session, closes on the first SMB request (SMB1 off)
        Garbage,         // answers with something that is not SMB
    };
    Q_ENUM(Script)

    FakeReceiver(bool netbiosSession, Script script, QObject *parent = nullptr);

    quint16 port() const { return m_server.serverPort(); }

    // What arrived.
    QByteArray calledName; // the 16 decoded bytes of the session request
    QByteArray sender;
    QByteArray recipient;
    QList<QByteArray> pieces;
    QList<quint16> groupIds; // as sent back to us in send-text and send-end
    bool ended = false;

    static constexpr quint16 kGroupId = 0x2A;

    // How long each answer takes.
    int answerDelayMs = 0;

private:
    void onConnection();
    void onReadable();
    void handle(quint8 type, const QByteArray &payload);
    void handleSmb(const QByteArray &message);
    void respond(const QByteArray &packet);
    void answer(const QByteArray &message, quint8 command, quint32 status, QList<quint16> words);

    bool m_netbios;
    Script m_script;
    QTcpServer m_server;
    QTcpSocket *m_socket = nullptr;
    QByteArray m_buffer;
};
