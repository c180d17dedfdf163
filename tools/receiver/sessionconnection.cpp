#include "sessionconnection.h"

#include "ournames.h"
#include "sourcepolicy.h"
#include "tools/messenger/cp850decode.h"
#include "tools/messenger/nameserviceanswers.h"
#include "tools/messenger/smbmessages.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QTcpSocket>

namespace brisquel::receiver {

using namespace brisquel::messenger;

namespace {

// A frame holds one request: a single-block message of 1,600 bytes and two
// names fits with room to spare.
constexpr qsizetype kMaxFrameBytes = 4096;
// Past this many refused requests in a row the peer is not a sender.
constexpr int kMaxErrorsInARow = 16;
// Answers a peer does not read stop piling up here.
constexpr qint64 kMaxUnsentBytes = 64 * 1024;
constexpr quint8 kCalledNameNotPresent = 0x82;

const SmbError kMalformed{kErrorClassServer, kErrorGeneral};
const SmbError kNotOurs{kErrorClassServer, kErrorMessagingOff};
const SmbError kFull{kErrorClassServer, kErrorNoRoom};
const SmbError kTooMany{kErrorClassServer, kErrorNoResources};
const SmbError kUnknownCommand{kErrorClassDos, kErrorBadFunction};

bool isError(SmbError error)
{
    return error.errorClass != 0;
}

qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return clock.elapsed();
}

SmbError errorFor(DeliveryDesk::Verdict verdict)
{
    switch (verdict) {
    case DeliveryDesk::Verdict::Delivered:
        return {};
    case DeliveryDesk::Verdict::NotOurs:
        return kNotOurs;
    case DeliveryDesk::Verdict::SpoolFull:
        return kFull;
    case DeliveryDesk::Verdict::Failed:
        break;
    }
    return kMalformed;
}

quint16 nextGroupId()
{
    static quint16 last = 0;
    return ++last == 0 ? ++last : last;
}

} // namespace

SessionConnection::SessionConnection(QTcpSocket *socket, quint32 source, bool netbiosSession,
                                     SessionContext context, QObject *parent)
    : QObject(parent), m_socket(socket), m_source(source), m_sessionOpen(!netbiosSession), m_context(context),
      m_reader(kMaxFrameBytes)
{
    socket->setParent(this);
    socket->setReadBufferSize(2 * kMaxFrameBytes);
    m_idle.setSingleShot(true);
    m_idle.setInterval(context.idleTimeoutMs);
    connect(&m_idle, &QTimer::timeout, this, &SessionConnection::close);
    connect(socket, &QTcpSocket::readyRead, this, &SessionConnection::onReadable);
    connect(socket, &QTcpSocket::disconnected, this, &SessionConnection::close);
    connect(socket, &QTcpSocket::errorOccurred, this, &SessionConnection::close);
    m_idle.start();
    if (socket->bytesAvailable() > 0)
        onReadable();
}

void SessionConnection::onReadable()
{
    m_idle.start();
    while (!m_closing && !m_waitingForDisk) {
        if (const std::optional<SessionPacket> packet = m_reader.next()) {
            handlePacket(packet->type, packet->payload);
            continue;
        }
        if (m_reader.isBroken()) {
            close();
            return;
        }
        if (m_socket->bytesAvailable() <= 0)
            break;
        // Never more than one frame and its header waiting in our buffer.
        const qint64 room = kMaxFrameBytes + 4 - m_reader.buffered();
        m_reader.feed(m_socket->read(std::max<qint64>(room, 1)));
    }
    if (!m_closing && m_socket->bytesToWrite() > kMaxUnsentBytes)
        close();
}

void SessionConnection::handlePacket(quint8 type, const QByteArray &payload)
{
    switch (SessionPacketType(type)) {
    case SessionPacketType::KeepAlive:
        return;
    case SessionPacketType::Request:
        handleSessionRequest(payload);
        return;
    case SessionPacketType::Message:
        if (m_sessionOpen) {
            handleSmb(payload);
            return;
        }
        break;
    default:
        break;
    }
    close();
}

void SessionConnection::handleSessionRequest(const QByteArray &payload)
{
    if (m_sessionOpen) {
        close();
        return;
    }
    const std::optional<NetbiosName> called = decodeNetbiosName(payload);
    if (called && m_context.names.acceptsCalledName(decodeCp850(called->name))) {
        m_sessionOpen = true;
        m_socket->write(sessionPacket(SessionPacketType::PositiveResponse, {}));
        return;
    }
    const char reason = char(kCalledNameNotPresent);
    m_socket->write(sessionPacket(SessionPacketType::NegativeResponse, QByteArrayView(&reason, 1)));
    m_socket->disconnectFromHost();
    m_closing = true;
}

void SessionConnection::handleSmb(const QByteArray &message)
{
    const std::optional<SmbRequest> request = parseSmbRequest(message);
    if (!request) {
        close();
        return;
    }
    switch (SmbCommand(request->command)) {
    case SmbCommand::SendSingle:
        handleSingle(*request);
        break;
    case SmbCommand::SendStart:
        handleStart(*request);
        break;
    case SmbCommand::SendText:
        handleText(*request);
        break;
    case SmbCommand::SendEnd:
        handleEnd(*request);
        break;
    default:
        reply(*request, {}, kUnknownCommand);
        break;
    }
}

void SessionConnection::handleSingle(const SmbRequest &request)
{
    const std::optional<SingleBlockMessage> single = parseSendSingleData(request.data);
    if (!single) {
        reply(request, {}, kMalformed);
        return;
    }
    finish(request, single->names.sender, single->names.recipient, single->text);
}

void SessionConnection::handleStart(const SmbRequest &request)
{
    const std::optional<MessageNames> names = parseSendStartData(request.data);
    if (!names || names->sender.size() > kMaxNameBytes || names->recipient.size() > kMaxNameBytes) {
        m_group.reset();
        reply(request, {}, kMalformed);
        return;
    }
    m_group = Group{nextGroupId(), names->sender, names->recipient, {}, false};
    reply(request, {m_group->id});
}

void SessionConnection::handleText(const SmbRequest &request)
{
    const std::optional<QByteArray> piece = parseSendTextData(request.data);
    if (!m_group || request.words.isEmpty() || request.words[0] != m_group->id || !piece) {
        reply(request, {}, kMalformed);
        return;
    }
    // Past the limit the message is refused at its end; nothing more is kept.
    if (m_group->tooLong || m_group->text.size() + piece->size() > kMaxTextBytes) {
        m_group->tooLong = true;
        m_group->text.clear();
        reply(request, {}, kFull);
        return;
    }
    m_group->text += *piece;
    reply(request);
}

void SessionConnection::handleEnd(const SmbRequest &request)
{
    if (!m_group || request.words.isEmpty() || request.words[0] != m_group->id) {
        reply(request, {}, kMalformed);
        return;
    }
    const Group group = *std::exchange(m_group, std::nullopt);
    if (group.tooLong)
        reply(request, {}, kFull);
    else
        finish(request, group.sender, group.recipient, group.text);
}

void SessionConnection::finish(const SmbRequest &request, const QByteArray &sender, const QByteArray &recipient,
                               const QByteArray &text)
{
    if (sender.size() > kMaxNameBytes || recipient.size() > kMaxNameBytes || text.size() > kMaxTextBytes) {
        reply(request, {}, kMalformed);
        return;
    }
    if (!m_context.policy.allowMessage(m_source, monotonicMs())) {
        reply(request, {}, kTooMany);
        return;
    }
    MessageContent content;
    content.from = cleanMessageText(m_context.decoder.decode(sender));
    content.to = cleanMessageText(m_context.decoder.decode(recipient));
    content.address = QHostAddress(m_source).toString();
    content.received = QDateTime::currentDateTimeUtc();
    content.text = cleanMessageText(m_context.decoder.decode(text));
    m_waitingForDisk = true;
    const QPointer<SessionConnection> self(this);
    m_context.desk.deliver(content, [self, request](DeliveryDesk::Outcome outcome) {
        if (!self || self->m_closing)
            return;
        self->m_waitingForDisk = false;
        self->reply(request, {}, errorFor(outcome.verdict));
        // What arrived meanwhile waited in the socket.
        QMetaObject::invokeMethod(self, &SessionConnection::onReadable, Qt::QueuedConnection);
    });
}

void SessionConnection::reply(const SmbRequest &request, const QList<quint16> &words, SmbError error)
{
    m_socket->write(sessionPacket(SessionPacketType::Message, smbReply(request, words, error)));
    m_errorsInARow = isError(error) ? m_errorsInARow + 1 : 0;
    if (m_errorsInARow > kMaxErrorsInARow)
        close();
}

void SessionConnection::close()
{
    if (m_closed)
        return;
    m_closed = true;
    m_closing = true;
    m_idle.stop();
    disconnect(m_socket, nullptr, this, nullptr);
    m_socket->abort();
    emit closed();
}

} // namespace brisquel::receiver
