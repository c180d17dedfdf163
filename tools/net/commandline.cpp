#include "commandline.h"

namespace brisquel::net {

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine command;
    if (arguments.size() < 3 || arguments.first().compare(u"send", Qt::CaseInsensitive) != 0
        || arguments.at(1).startsWith(u'/')) {
        command.complaint = usageText();
        return command;
    }
    const QString name = arguments.at(1);
    if (name == u"*") {
        command.complaint = QStringLiteral("net: no se puede enviar a \"*\" (toda la red); "
                                           "indique el nombre o la dirección de un equipo.\n");
        return command;
    }
    command.isSend = true;
    command.name = name;
    command.message = arguments.mid(2).join(u' ');
    return command;
}

QString usageText()
{
    return QStringLiteral("Uso: net send NOMBRE MENSAJE...\n"
                          "Envía MENSAJE al equipo NOMBRE (su nombre o su dirección IP) con el\n"
                          "servicio de mensajería de las redes Windows.\n");
}

QString failureText(const QString &name, SendOutcome outcome)
{
    return QStringLiteral("net: no se pudo enviar el mensaje a \"%1\": %2.\n").arg(name, outcomeReason(outcome));
}

} // namespace brisquel::net
