#include "commandline.h"

#include "tools/messenger/netbiosname.h"

namespace brisquel::net {

using namespace brisquel::messenger;

namespace {

CommandLine wrong(const QString &complaint)
{
    CommandLine command;
    command.complaint = complaint;
    return command;
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine command;
    qsizetype at = 0;
    // Options come before the word "send"; after the name everything is
    // message, dashes included.
    for (; at < arguments.size() && arguments.at(at).startsWith(u'-'); ++at) {
        const QString &option = arguments.at(at);
        if (option == u"-h" || option == u"--help") {
            command.action = CommandLine::Action::Help;
            return command;
        }
        if (option == u"-V" || option == u"--version") {
            command.action = CommandLine::Action::Version;
            return command;
        }
        if (option.startsWith(u"--configfile=")) {
            command.configFile = option.section(u'=', 1);
        } else if (option == u"-s" || option == u"--configfile") {
            if (++at == arguments.size())
                return wrong(QStringLiteral("net: falta el fichero tras %1.\n").arg(option) + usageText());
            command.configFile = arguments.at(at);
        } else if (option.startsWith(u"-s") && option.size() > 2) {
            command.configFile = option.mid(2);
        } else {
            return wrong(QStringLiteral("net: opción desconocida: %1\n").arg(option) + usageText());
        }
    }
    const QStringList rest = arguments.mid(at);
    if (rest.size() < 3 || rest.first().compare(u"send", Qt::CaseInsensitive) != 0 || rest.at(1).startsWith(u'/'))
        return wrong(usageText());
    const QString name = rest.at(1);
    if (name == u"*") {
        return wrong(QStringLiteral("net: no se puede enviar a \"*\" (toda la red); "
                                    "indique el nombre o la dirección de un equipo.\n"));
    }
    const QString nameProblem = netbiosNameProblem(name);
    if (!nameProblem.isEmpty())
        return wrong(QStringLiteral("net: %1.\n").arg(nameProblem));
    command.action = CommandLine::Action::Send;
    command.name = name;
    command.message = rest.mid(2).join(u' ');
    return command;
}

QString usageText()
{
    return QStringLiteral(
        "Uso: net [-s FICHERO] send NOMBRE MENSAJE...\n"
        "     net --help | --version\n"
        "Envía MENSAJE al equipo NOMBRE con el servicio de mensajería de las redes\n"
        "Windows. NOMBRE es una dirección IP, un nombre con punto (se busca en\n"
        "/etc/hosts y en el DNS) o un nombre NetBIOS de hasta 15 caracteres, que se\n"
        "busca en el orden que da \"name resolve order\" en la configuración de Samba:\n"
        "servidores WINS (\"wins server\"), /etc/hosts y DNS, difusión en la red local.\n"
        "\n"
        "  -s, --configfile=FICHERO  configuración de Samba (si no, /etc/samba/smb.conf)\n"
        "  -h, --help                muestra esta ayuda\n"
        "  -V, --version             muestra la versión\n"
        "\n"
        "Estado de salida:\n"
        "  0  mensaje entregado\n"
        "  1  no existe el equipo\n"
        "  2  uso incorrecto, o el fichero de configuración no se puede leer\n"
        "  3  el equipo no responde\n"
        "  4  el equipo rechazó el mensaje\n");
}

QString versionText()
{
    return QStringLiteral("net (Brisquel) " BRISQUEL_VERSION "\n");
}

QString failureText(const QString &name, SendOutcome outcome)
{
    return QStringLiteral("net: no se pudo enviar el mensaje a \"%1\": %2.\n").arg(name, outcomeReason(outcome));
}

} // namespace brisquel::net
