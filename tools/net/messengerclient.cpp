#include "messengerclient.h"

#include "tools/messenger/cp850.h"
#include "tools/messenger/messagepieces.h"
#include "tools/messenger/netbiosname.h"

#include <QCoreApplication>
#include <QTcpSocket>

namespace brisquel::net {

using namespace brisquel::messenger;

namespace {

// A resolver may hand back many addresses; a few are plenty to find the
// one that listens, and keep the connect phase short.
constexpr qsizetype kMaxAddresses = 4;

} // namespace

MessengerClient::MessengerClient(MessengerOptions options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_resolver(m_options.names, m_options.resolveTimeouts)
    , m_pid(static_cast<quint16>(QCoreApplication::applicationPid() & 0xFFFF))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &MessengerClient::onTimeout);
    m_totalTimer.setSingleShot(true);
    connect(&m_totalTimer, &QTimer::timeout, this, [this] {
        finish(m_step == Step::Resolving ? SendOutcome::UnknownHost : SendOutcome::NoAnswer);
    });
    connect(&m_resolver, &NameResolver::resolved, this, &MessengerClient::onResolved);
}

MessengerClient::~MessengerClient()
{
    dropSocket();
}

void MessengerClient::send(const OutgoingMessage &message)
{
    if (m_step != Step::Idle)
        return;
    m_message = message;
    m_pieces = messagePieces(message.text);
    m_step = Step::Resolving;
    // The receiver is told the name it is called by, so both come from the
    // same converted name; an address has none and is passed as typed.
    const NetbiosName called = calledNameFor(message.recipient);
    m_recipientName = called.suffix == kMessengerSuffix ? called.name : encodeCp850(message.recipient);
    m_totalTimer.start(m_options.totalTimeoutMs);
    m_resolver.resolve(message.recipient);
}

void MessengerClient::onResolved(const QList<QHostAddress> &addresses)
{
    if (m_step != Step::Resolving)
        return;
    if (addresses.isEmpty()) {
        finish(SendOutcome::UnknownHost);
        return;
    }
    for (const QHostAddress &address : addresses.mid(0, kMaxAddresses)) {
        for (const Endpoint &endpoint : std::as_const(m_options.endpoints))
            m_attempts.append({address, endpoint});
    }
    m_step = Step::Connecting;
    m_connectDeadline = QDeadlineTimer(m_options.connectTimeoutMs);
    connectNext();
}

void MessengerClient::connectNext()
{
    dropSocket();
    if (m_nextAttempt >= m_attempts.size() || m_connectDeadline.hasExpired()) {
        finish(SendOutcome::NoAnswer);
        return;
    }
    const Attempt attempt = m_attempts.at(m_nextAttempt++);
    m_timer.start(static_cast<int>(qMin<qint64>(m_options.attemptTimeoutMs, m_connectDeadline.remainingTime())));

    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &MessengerClient::onConnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &MessengerClient::onSocketError);
    connect(m_socket, &QTcpSocket::readyRead, this, &MessengerClient::onReadyRead);
    m_socket->connectToHost(attempt.address, attempt.endpoint.port);
}

void MessengerClient::onConnected()
{
    const Endpoint endpoint = m_attempts.at(m_nextAttempt - 1).endpoint;
    if (!endpoint.netbiosSession) {
        sendStart();
        return;
    }
    m_step = Step::Session;
    m_timer.start(m_options.stepTimeoutMs);
    m_socket->write(sessionRequest(calledNameFor(m_message.recipient), callingNameFor(m_message.localHost)));
}

void MessengerClient::onSocketError()
{
    if (m_step == Step::Connecting) {
        connectNext();
        return;
    }
    // A server that speaks only SMB2 and later (Samba's default since 4.11)
    // takes the session, then hangs up on the SMB1 message request without
    // a word.
    if (m_step == Step::Start && m_socket->error() == QAbstractSocket::RemoteHostClosedError) {
        finish(SendOutcome::NoSmb1);
        return;
    }
    finish(SendOutcome::NoAnswer);
}

void MessengerClient::onTimeout()
{
    switch (m_step) {
    case Step::Connecting:
        connectNext();
        break;
    default:
        finish(SendOutcome::NoAnswer);
        break;
    }
}

void MessengerClient::onReadyRead()
{
    m_reader.feed(m_socket->readAll());
    while (m_step != Step::Done) {
        const std::optional<SessionPacket> packet = m_reader.next();
        if (!packet)
            break;
        handlePacket(*packet);
    }
    if (m_reader.isBroken())
        finish(SendOutcome::NoAnswer);
}

void MessengerClient::handlePacket(const SessionPacket &packet)
{
    if (packet.type == quint8(SessionPacketType::KeepAlive))
        return;
    if (m_step == Step::Session) {
        if (packet.type == quint8(SessionPacketType::PositiveResponse))
            sendStart();
        else if (packet.type == quint8(SessionPacketType::NegativeResponse))
            finish(SendOutcome::Refused);
        else
            finish(SendOutcome::NoAnswer);
        return;
    }
    if (packet.type != quint8(SessionPacketType::Message)) {
        finish(SendOutcome::NoAnswer);
        return;
    }
    const std::optional<SmbReply> reply = parseSmbReply(packet.payload);
    if (!reply) {
        finish(SendOutcome::NoAnswer);
        return;
    }
    handleReply(*reply);
}

void MessengerClient::handleReply(const SmbReply &reply)
{
    const SmbCommand expected = m_step == Step::Start ? SmbCommand::SendStart
                              : m_step == Step::Text  ? SmbCommand::SendText
                                                      : SmbCommand::SendEnd;
    if (reply.command != quint8(expected) || reply.mid != m_lastMid) {
        finish(SendOutcome::NoAnswer);
        return;
    }
    if (reply.status != 0) {
        finish(SendOutcome::Refused);
        return;
    }
    switch (m_step) {
    case Step::Start:
        // Samba answers without the group id word; it keeps one message
        // per connection and ignores the id, so 0 serves.
        m_groupId = reply.words.isEmpty() ? 0 : reply.words.first();
        sendNextPieceOrEnd();
        break;
    case Step::Text:
        sendNextPieceOrEnd();
        break;
    case Step::End:
        finish(SendOutcome::Delivered);
        break;
    default:
        break;
    }
}

void MessengerClient::sendStart()
{
    m_step = Step::Start;
    writeRequest(sendStartRequest(nextIds(), encodeCp850(m_message.sender), m_recipientName));
}

void MessengerClient::sendNextPieceOrEnd()
{
    if (m_nextPiece < m_pieces.size()) {
        m_step = Step::Text;
        writeRequest(sendTextRequest(nextIds(), m_groupId, m_pieces.at(m_nextPiece++)));
        return;
    }
    m_step = Step::End;
    writeRequest(sendEndRequest(nextIds(), m_groupId));
}

// Each request gets its own wait for the answer: a slow receiver that
// answers every step is still served.
void MessengerClient::writeRequest(const QByteArray &smbMessage)
{
    m_timer.start(m_options.stepTimeoutMs);
    m_socket->write(sessionPacket(SessionPacketType::Message, smbMessage));
}

SmbRequestIds MessengerClient::nextIds()
{
    return {m_pid, ++m_lastMid};
}

void MessengerClient::dropSocket()
{
    if (m_socket == nullptr)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}

void MessengerClient::finish(SendOutcome outcome)
{
    if (m_step == Step::Done)
        return;
    m_step = Step::Done;
    m_timer.stop();
    m_totalTimer.stop();
    if (m_socket != nullptr && outcome == SendOutcome::Delivered) {
        m_socket->disconnect(this);
        m_socket->disconnectFromHost();
    } else {
        dropSocket();
    }
    emit finished(outcome);
}

} // namespace brisquel::net
