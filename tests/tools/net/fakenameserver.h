#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QUdpSocket>

// A NetBIOS name server (WINS) on 127.0.0.1, or on every address to hear
// broadcasts, written apart from the code under test: it answers name
// queries (RFC 1002, 4.2.12) for the names it is given, negatively for
// others, or not at all when silent.
class FakeNameServer : public QObject
{
    Q_OBJECT

public:
    explicit FakeNameServer(bool silent = false, const QHostAddress &listenOn = QHostAddress(QHostAddress::LocalHost),
                            QObject *parent = nullptr);

    // How a known name is answered: truthfully, or by a liar.
    enum class Answer {
        True,
        FromAnotherAddress, // from 127.0.0.2, not the address asked
        ForAnotherName,     // the record names another computer
        ForAnotherService,  // the name with suffix 0x20, not the one asked
        WithAnotherId,      // another transaction id
    };
    Q_ENUM(Answer)
    Answer answer = Answer::True;

    // `name` as 16 raw bytes: 15 blank-padded, then the suffix.
    void add(const QByteArray &name, const QHostAddress &address);
    quint16 port() const { return m_socket.localPort(); }

    // The 16 raw bytes of every name asked for, in order.
    QList<QByteArray> queries;

    // smb.conf lines pointing at this server, with broadcasts off.
    QByteArray configLines(const QByteArray &order = "wins host") const;

    static QByteArray rawName(const QByteArray &name, char suffix);

private:
    void onDatagrams();

    bool m_silent;
    QUdpSocket m_socket;
    QUdpSocket m_otherSocket; // on 127.0.0.2, for answers from elsewhere
    QHash<QByteArray, QHostAddress> m_names;
};
