#include "dispatch.h"

#include "commandstarter.h"

namespace brisquel {

namespace {
const QString kBanner = QStringLiteral("Brisquel v2.4b");
// Line feed before carriage return, twice: the break the messenger shows
// between the message and its signature.
const QString kSignatureBreak = QStringLiteral("\n\r\n\r");
} // namespace

QString netSendCommandLine(const Module1 &state, const QString &recipient, const QString &message)
{
    const QString signature = state.NombrePropio != False
        ? state.Remitente + QLatin1Char('@') + kBanner
        : QLatin1Char('[') + kBanner + QLatin1Char(']');
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

// The sends of one call: how many have not ended yet, and what failed.
struct Dispatcher::Batch {
    qsizetype unfinished = 0;
    DeliveryReport report;
};

Dispatcher::Dispatcher(Module1 &state, CommandStarter &starter)
    : m_state(state)
    , m_starter(starter)
    , m_self(std::make_shared<Dispatcher *>(this))
{
}

Dispatcher::~Dispatcher() = default;

void Dispatcher::EnviaUsuario(const QString &recipient, const QString &message)
{
    sendAll({recipient}, message);
    recordInHistory(message);
}

void Dispatcher::EnviaGrupo(const QString &recipients, const QString &message)
{
    sendAll(splitRecipientList(recipients), message);
    recordInHistory(message);
}

void Dispatcher::sendAll(const QStringList &recipients, const QString &message)
{
    const auto batch = std::make_shared<Batch>();
    batch->unfinished = recipients.size();
    for (const QString &recipient : recipients) {
        m_state.Comando = netSendCommandLine(m_state, recipient, message);
        m_queue.push_back({batch, recipient, m_state.Comando});
    }
    startWaiting();
}

void Dispatcher::startWaiting()
{
    // A starter may report an end from inside start(); that end only
    // counts, and this loop goes on starting.
    if (m_starting)
        return;
    m_starting = true;
    while (m_running < kMaxRunning && !m_queue.empty()) {
        Send send = std::move(m_queue.front());
        m_queue.pop_front();
        ++m_running;
        const std::weak_ptr<Dispatcher *> self = m_self;
        const QString commandLine = send.commandLine;
        m_starter.start(commandLine, [self, send = std::move(send)](const CommandEnd &end) {
            if (const std::shared_ptr<Dispatcher *> alive = self.lock())
                (*alive)->ended(send, end);
        });
    }
    m_starting = false;
}

void Dispatcher::ended(const Send &send, const CommandEnd &end)
{
    --m_running;
    Batch &batch = *send.batch;
    if (end.kind == CommandEnd::Kind::NotFound) {
        batch.report.missingProgram = end.program;
        batch.report.searchedFolders = end.searchedFolders;
    } else if (!end.succeeded()) {
        batch.report.failures.append({send.recipient, failureReason(end)});
    }
    if (--batch.unfinished == 0 && !batch.report.isEmpty() && onFailures)
        onFailures(batch.report);
    startWaiting();
}

void Dispatcher::recordInHistory(const QString &message)
{
    // Browsing an earlier entry: a resend is not a new message.
    if (m_state.PosHistorial < m_state.NumMensajes)
        return;
    m_state.Historial[m_state.NumMensajes] = message;
    if (m_state.NumMensajes < kHistoryMax) {
        ++m_state.NumMensajes;
        return;
    }
    // Full: drop the oldest. Slots 31 and 32 both end up holding the newest,
    // so the end position shows it again.
    for (int k = 0; k < kHistoryMax; ++k)
        m_state.Historial[k] = m_state.Historial[k + 1];
}

} // namespace brisquel
