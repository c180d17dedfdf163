#include "delivery.h"

#include "handoff.h"
#include "messagefile.h"

#include <QEventLoop>
#include <QFile>

#include <optional>

namespace brisquel::deliver {

namespace {

QString notDelivered(const QString &sender, const QString &path, const QString &reason)
{
    return QStringLiteral("brisquel-deliver: el mensaje de %1 (%2) no se entregó: %3.").arg(sender, path, reason);
}

} // namespace

DeliveryOptions optionsFromEnvironment()
{
    DeliveryOptions options;
    const QString named = qEnvironmentVariable(kSocketVariable);
    if (!named.isEmpty())
        options.socketPath = named;
    return options;
}

DeliveryResult deliverFile(const QStringList &given, const DeliveryOptions &options)
{
    // Samba runs the message command without a shell that would take the
    // customary "&" at the end of the smb.conf line; it arrives as one more
    // word and means nothing here.
    QStringList arguments = given;
    if (arguments.size() == 5 && arguments.constLast() == QLatin1String("&"))
        arguments.removeLast();
    if (arguments.size() != 4) {
        return {kUsageStatus,
                QStringLiteral("uso: brisquel-deliver DIRECCIÓN REMITENTE DESTINATARIO FICHERO "
                               "(en smb.conf: message command = brisquel-deliver %I %f %L %s &)")};
    }
    const QString &path = arguments.at(3);
    SambaMessage message{arguments.at(0), arguments.at(1), arguments.at(2), {}};

    const MessageFile file = readMessageFile(path);
    if (!file.problem.isEmpty())
        return {kNotDeliveredStatus, notDelivered(message.sender, path, file.problem)};
    message.text = file.text;

    std::optional<HandoffOutcome> outcome;
    QEventLoop loop;
    Handoff handoff(options.socketPath, options.timeoutMs);
    QObject::connect(&handoff, &Handoff::finished, &loop, [&](const HandoffOutcome &result) {
        outcome = result;
        loop.quit();
    });
    handoff.send(message);
    // A missing socket is known at once, before the loop would run.
    if (!outcome)
        loop.exec();

    if (!outcome->delivered)
        return {kNotDeliveredStatus, notDelivered(message.sender, path, outcome->problem)};
    // The service holds the message now; a file left behind would only be
    // Samba's litter, never a lost message.
    QFile::remove(path);
    return {kDeliveredStatus, {}};
}

} // namespace brisquel::deliver
