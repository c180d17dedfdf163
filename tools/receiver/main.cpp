// brisquel-receiver: receives messenger messages from the network (NetBIOS
// session service on TCP 139, optionally 445, and name queries on UDP 137)
// and hands them to the users' desktops through a Unix socket, keeping each
// one on disk until its user has seen it.

#include "accounts.h"
#include "clienthub.h"
#include "deliverydesk.h"
#include "listeningsockets.h"
#include "messagetext.h"
#include "nameservice.h"
#include "ournames.h"
#include "receiverconfig.h"
#include "sessionservice.h"
#include "sourcepolicy.h"
#include "spool.h"
#include "tools/messenger/cp850decode.h"
#include "tools/messenger/netbiosname.h"

#include <QCoreApplication>
#include <QFile>
#include <QHostInfo>

#include <cstdio>
#include <systemd/sd-daemon.h>

using namespace brisquel::receiver;

namespace {

constexpr int kUsageExitStatus = 2;

void say(std::FILE *stream, const QString &text)
{
    std::fputs(qUtf8Printable(text + u'\n'), stream);
    std::fflush(stream);
}

void log(const QString &text)
{
    say(stderr, QStringLiteral("brisquel-receiver: ") + text);
}

QString usage()
{
    return QStringLiteral("Uso: brisquel-receiver [--config FICHERO] [--foreground]\n"
                          "Recibe mensajes de la red y los entrega a los escritorios de los usuarios.\n"
                          "  --config FICHERO  configuración (por omisión %1)\n"
                          "  --foreground      abre sus propios sockets en vez de recibirlos de systemd\n"
                          "  --version         muestra la versión\n"
                          "  --help            muestra esta ayuda")
        .arg(QString::fromLatin1(kDefaultConfigPath));
}

QString machineNameFor(const ReceiverConfig &config)
{
    if (!config.netbiosName.isEmpty())
        return config.netbiosName;
    return brisquel::messenger::decodeCp850(brisquel::messenger::callingNameFor(QHostInfo::localHostName()).name);
}

std::optional<uid_t> handOverUid(const QString &sambaConfig)
{
    QFile file(sambaConfig);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.read(1 << 20) : QByteArray();
    return uidOfLogin(sambaGuestAccount(text));
}

QJsonObject errorAnswer(const QString &why)
{
    return {{QStringLiteral("error"), why}};
}

QJsonObject handOverAnswer(const DeliveryDesk::Outcome &outcome, const QString &recipient)
{
    switch (outcome.verdict) {
    case DeliveryDesk::Verdict::Delivered:
        return {{QStringLiteral("delivered"), qint64(outcome.id)}};
    case DeliveryDesk::Verdict::NotOurs:
        return errorAnswer(QStringLiteral("\"%1\" no es un usuario ni el nombre de este equipo").arg(recipient));
    case DeliveryDesk::Verdict::SpoolFull:
        return errorAnswer(QStringLiteral("no caben más mensajes para ese usuario"));
    case DeliveryDesk::Verdict::Failed:
        break;
    }
    return errorAnswer(QStringLiteral("no se pudo guardar el mensaje"));
}

void handOver(DeliveryDesk &desk, MessageContent content, const std::function<void(QJsonObject)> &answer)
{
    content.from = cleanMessageText(content.from).left(kMaxNameBytes);
    content.to = cleanMessageText(content.to).left(kMaxNameBytes);
    content.text = cleanMessageText(content.text);
    content.received = QDateTime::currentDateTimeUtc();
    if (content.text.size() > kMaxTextBytes) {
        answer(errorAnswer(QStringLiteral("el mensaje pasa de %1 caracteres").arg(kMaxTextBytes)));
        return;
    }
    desk.deliver(content, [answer, recipient = content.to](const DeliveryDesk::Outcome &outcome) {
        answer(handOverAnswer(outcome, recipient));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    QString configPath = QString::fromLatin1(kDefaultConfigPath);
    bool configNamed = false;
    bool foreground = false;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        if (argument == u"--help") {
            say(stdout, usage());
            return 0;
        }
        if (argument == u"--version") {
            say(stdout, QStringLiteral("brisquel-receiver " BRISQUEL_VERSION));
            return 0;
        }
        if (argument == u"--foreground") {
            foreground = true;
        } else if (argument == u"--config" && !arguments.isEmpty()) {
            configPath = arguments.takeFirst();
            configNamed = true;
        } else {
            say(stderr, QStringLiteral("brisquel-receiver: no se entiende \"%1\"\n%2").arg(argument, usage()));
            return kUsageExitStatus;
        }
    }

    const ConfigRead read = readReceiverConfig(configPath, configNamed);
    if (!read.problem.isEmpty()) {
        log(read.problem);
        return kUsageExitStatus;
    }
    const ReceiverConfig &config = read.config;

    Spool spool(config.spoolPath, {config.spoolMessages, config.spoolBytes});
    if (const QString problem = spool.open(); !problem.isEmpty()) {
        log(problem);
        return 1;
    }
    ClientHub hub(spool, handOverUid(config.sambaConfig));
    const OurNames names(machineNameFor(config), config.announceUsers, [&hub] { return hub.connectedLogins(); });
    DeliveryDesk desk(spool, hub, names);
    hub.setDeliverHandler([&desk](const MessageContent &content, const std::function<void(QJsonObject)> &answer) {
        handOver(desk, content, answer);
    });

    ListeningSockets sockets = foreground ? bindOwnSockets(config) : socketsFromSystemd();
    if (sockets.problem.isEmpty()) {
        sockets.problem = sockets.clientsDescriptor >= 0 ? hub.adopt(sockets.clientsDescriptor)
                                                         : hub.listen(config.socketPath);
    }
    if (!sockets.problem.isEmpty()) {
        log(sockets.problem);
        return 1;
    }
    if (!sockets.notice.isEmpty())
        log(sockets.notice);

    SourcePolicy policy(config.allowedNetworks,
                        {config.maxConnections, config.maxConnectionsPerSource, config.messagesPerMinute});
    const TextDecoder decoder(config.charset);
    SessionService sessions({desk, policy, names, decoder, config.idleTimeoutSeconds * 1000});
    for (const ListeningSockets::Tcp &tcp : std::as_const(sockets.tcp))
        sessions.addServer(tcp.server, tcp.netbiosSession);
    QList<NameService *> nameServices;
    for (QUdpSocket *udp : std::as_const(sockets.udp))
        nameServices << new NameService(udp, policy, names, &app);

    log(QStringLiteral("preparado: %1 recibe mensajes; entrega por %2")
            .arg(names.machineName(), sockets.clientsDescriptor >= 0 ? QStringLiteral("el socket de systemd")
                                                                     : config.socketPath));
    sd_notify(0, "READY=1");
    return QCoreApplication::exec();
}
