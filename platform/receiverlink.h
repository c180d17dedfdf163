#pragma once

#include "core/receivedmessage.h"
#include "platform/localconnection.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

namespace brisquel {

// The desktop's end of the receiving service's local socket: reads the
// messages it hands over and tells it which are on show. Without a service
// it stays quiet and looks again now and then; a connection that drops is
// taken up again the same way. It never blocks the thread it lives on.
class ReceiverLink : public QObject
{
    Q_OBJECT

public:
    // How long it waits between tries to reach the service.
    static constexpr int kRetryMs = 2000;

    explicit ReceiverLink(QString socketPath, QObject *parent = nullptr);

    // Connects now, or keeps trying.
    void start();
    // The message is on show. Dropped while there is no connection: the
    // service sends what was not acknowledged again on the next one.
    void acknowledge(qint64 id);
    bool isConnected() const;

signals:
    void messageArrived(const brisquel::ReceivedMessage &message);
    void connectedChanged(bool connected);

private:
    void tryToConnect();
    void onReceived(const QByteArray &bytes);
    void onClosed();
    void dropBrokenPeer();

    QString m_socketPath;
    LocalConnection m_connection;
    QTimer m_retry;
    // The start of a line whose end has not come yet.
    QByteArray m_partialLine;
};

} // namespace brisquel
