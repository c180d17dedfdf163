#include "dispatch.h"

#include "commandstarter.h"
#include "programtitle.h"

#include <deque>

namespace brisquel {

namespace {
// Line feed before carriage return, twice: the break the messenger shows
// between the message and its signature.
const QString kSignatureBreak = QStringLiteral("\n\r\n\r");
} // namespace

QString netSendCommandLine(const AppState &state, const QString &recipient, const QString &message)
{
    const QString signature = state.signWithSenderName
        ? state.senderName + QLatin1Char('@') + kProgramTitle
        : QLatin1Char('[') + kProgramTitle + QLatin1Char(']');
    return QStringLiteral("net send ") + recipient + QLatin1Char(' ') + QLatin1Char('"') + message
        + kSignatureBreak + signature + QLatin1Char('"');
}

QStringList splitRecipientList(const QString &recipients)
{
    QStringList items;
    QString rest = recipients;
    for (;;) {
        const qsizetype comma = rest.indexOf(QLatin1Char(','));
        if (comma < 0) {
            items << rest;
            return items;
        }
        items << rest.left(comma);
        rest = rest.mid(comma + 2);
    }
}

// The sends of one call: those waiting for their turn, how many run and
// have not ended yet, and what failed.
struct Dispatcher::Batch {
    std::deque<Send> waiting;
    int running = 0;
    qsizetype unfinished = 0;
    bool starting = false;
    DeliveryReport report;
};

Dispatcher::Dispatcher(AppState &state, CommandStarter &starter)
    : m_state(state)
    , m_starter(starter)
    , m_self(std::make_shared<Dispatcher *>(this))
{
}

Dispatcher::~Dispatcher() = default;

void Dispatcher::sendToUser(const QString &recipient, const QString &message)
{
    sendAll({recipient}, message);
    m_state.history.record(message);
}

void Dispatcher::sendToGroup(const QString &recipients, const QString &message)
{
    sendAll(splitRecipientList(recipients), message);
    m_state.history.record(message);
}

void Dispatcher::sendAll(const QStringList &recipients, const QString &message)
{
    const auto batch = std::make_shared<Batch>();
    batch->unfinished = recipients.size();
    for (const QString &recipient : recipients)
        batch->waiting.push_back({recipient, netSendCommandLine(m_state, recipient, message)});
    m_waiting += recipients.size();
    startWaiting(batch);
}

void Dispatcher::startWaiting(const std::shared_ptr<Batch> &batch)
{
    // A starter may report an end from inside start(); that end only
    // counts, and this loop goes on starting.
    if (batch->starting)
        return;
    batch->starting = true;
    while (batch->running < kMaxRunning && !batch->waiting.empty()) {
        Send send = std::move(batch->waiting.front());
        batch->waiting.pop_front();
        --m_waiting;
        ++batch->running;
        ++m_running;
        const std::weak_ptr<Dispatcher *> self = m_self;
        m_starter.start(send.commandLine, [self, batch, recipient = send.recipient](const CommandEnd &end) {
            if (const std::shared_ptr<Dispatcher *> alive = self.lock())
                (*alive)->ended(batch, recipient, end);
        });
    }
    batch->starting = false;
}

void Dispatcher::ended(const std::shared_ptr<Batch> &batch, const QString &recipient, const CommandEnd &end)
{
    --batch->running;
    --m_running;
    if (end.kind == CommandEnd::Kind::NotFound) {
        batch->report.missingProgram = end.program;
        batch->report.searchedFolders = end.searchedFolders;
    } else if (!end.succeeded()) {
        batch->report.failures.append({recipient, failureReason(end)});
    }
    if (--batch->unfinished == 0 && !batch->report.isEmpty() && onFailures)
        onFailures(batch->report);
    startWaiting(batch);
    if (onSendEnded)
        onSendEnded();
}

} // namespace brisquel
