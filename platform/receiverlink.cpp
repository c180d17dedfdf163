#include "receiverlink.h"

#include "core/receiverprotocol.h"

#include <utility>

namespace brisquel {

ReceiverLink::ReceiverLink(QString socketPath, QObject *parent)
    : QObject(parent)
    , m_socketPath(std::move(socketPath))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, &ReceiverLink::tryToConnect);
    connect(&m_connection, &LocalConnection::received, this, &ReceiverLink::onReceived);
    connect(&m_connection, &LocalConnection::closed, this, &ReceiverLink::onClosed);
}

void ReceiverLink::start()
{
    if (!isConnected() && !m_retry.isActive())
        tryToConnect();
}

void ReceiverLink::acknowledge(qint64 id)
{
    m_connection.write(acknowledgementLine(id));
}

bool ReceiverLink::isConnected() const
{
    return m_connection.isOpen();
}

void ReceiverLink::tryToConnect()
{
    if (!m_connection.open(m_socketPath)) {
        m_retry.start();
        return;
    }
    m_partialLine.clear();
    emit connectedChanged(true);
}

void ReceiverLink::onReceived(const QByteArray &bytes)
{
    qsizetype lineStart = 0;
    for (qsizetype end = bytes.indexOf('\n'); end >= 0; end = bytes.indexOf('\n', lineStart)) {
        QByteArrayView piece(bytes.constData() + lineStart, end - lineStart);
        if (m_partialLine.size() + piece.size() > kMaxReceiverLineBytes) {
            dropBrokenPeer();
            return;
        }
        std::optional<ReceivedMessage> message;
        if (m_partialLine.isEmpty()) {
            message = parseReceivedMessageLine(piece);
        } else {
            m_partialLine += piece;
            message = parseReceivedMessageLine(m_partialLine);
            m_partialLine.clear();
        }
        lineStart = end + 1;
        // Anything else the service may say is no concern of the desktop.
        if (message) {
            emit messageArrived(*message);
            // Whoever took the message may have ended the connection.
            if (!isConnected())
                return;
        }
    }
    const QByteArrayView rest = QByteArrayView(bytes).sliced(lineStart);
    if (m_partialLine.size() + rest.size() > kMaxReceiverLineBytes) {
        dropBrokenPeer();
        return;
    }
    m_partialLine += rest;
}

// A line that never ends is a broken peer: it is dropped rather than
// buffered without end, and the service is looked for again later.
void ReceiverLink::dropBrokenPeer()
{
    m_connection.close();
    onClosed();
}

void ReceiverLink::onClosed()
{
    m_partialLine.clear();
    m_partialLine.squeeze();
    emit connectedChanged(false);
    m_retry.start();
}

} // namespace brisquel
