#include "commandline.h"

#include "tools/messenger/netbiosname.h"

#include <algorithm>

namespace brisquel::net {

using namespace brisquel::messenger;

namespace {

// A command line that makes no sense is told in one line, the thing that is
// wrong and the word it is about, with a pointer to the help.
CommandLine wrong(const QString &problem)
{
    CommandLine command;
    command.complaint = QStringLiteral("net: %1; prueba «net --help».\n").arg(problem);
    return command;
}

QString nameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("el nombre de equipo está vacío");
    // "/domain" and the like are switches of Windows' own net send.
    if (name.startsWith(u'/'))
        return QStringLiteral("el nombre de equipo \"%1\" empieza por \"/\"").arg(name);
    if (name == u"*")
        return QStringLiteral("no se puede enviar a \"*\" (toda la red)");
    // No computer is called so, and shown it would break the line.
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("el nombre de equipo lleva caracteres de control");
    return netbiosNameProblem(name);
}

} // namespace

// As Samba's tools read theirs: options anywhere before the computer's name,
// "--" ends them, and from the name on every word is the message's, dashes
// included.
CommandLine parseCommandLine(const QStringList &arguments)
{
    CommandLine command;
    QStringList words; // "send" and the name
    bool optionsEnded = false;
    qsizetype at = 0;
    for (; at < arguments.size() && words.size() < 2; ++at) {
        const QString &argument = arguments.at(at);
        if (optionsEnded || !argument.startsWith(u'-') || argument == u"-") {
            words << argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"-h" || argument == u"--help") {
            command.action = CommandLine::Action::Help;
            return command;
        } else if (argument == u"-V" || argument == u"--version") {
            command.action = CommandLine::Action::Version;
            return command;
        } else if (argument.startsWith(u"--configfile=")) {
            command.configFile = argument.section(u'=', 1);
        } else if (argument == u"-s" || argument == u"--configfile") {
            if (++at == arguments.size())
                return wrong(QStringLiteral("falta el fichero tras %1").arg(argument));
            command.configFile = arguments.at(at);
        } else if (argument.startsWith(u"-s")) {
            command.configFile = argument.mid(2);
        } else {
            return wrong(QStringLiteral("opción desconocida: %1").arg(argument));
        }
    }
    if (words.isEmpty())
        return wrong(QStringLiteral("falta la orden send"));
    if (words.first().compare(u"send", Qt::CaseInsensitive) != 0)
        return wrong(QStringLiteral("orden desconocida: %1").arg(words.first()));
    if (words.size() < 2)
        return wrong(QStringLiteral("falta el nombre del equipo"));
    const QString name = words.at(1);
    const QString problem = nameProblem(name);
    if (!problem.isEmpty())
        return wrong(problem);
    if (at == arguments.size())
        return wrong(QStringLiteral("falta el mensaje para \"%1\"").arg(name));
    command.action = CommandLine::Action::Send;
    command.name = name;
    command.message = arguments.mid(at).join(u' ');
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
