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

Dispatcher::Dispatcher(Module1 &state, CommandStarter &starter)
    : m_state(state)
    , m_starter(starter)
{
}

void Dispatcher::EnviaUsuario(const QString &recipient, const QString &message)
{
    send(recipient, message);
    recordInHistory(message);
}

void Dispatcher::EnviaGrupo(const QString &recipients, const QString &message)
{
    for (const QString &recipient : splitRecipientList(recipients))
        send(recipient, message);
    recordInHistory(message);
}

void Dispatcher::send(const QString &recipient, const QString &message)
{
    m_state.Comando = netSendCommandLine(m_state, recipient, message);
    m_starter.start(m_state.Comando);
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
