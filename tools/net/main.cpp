// `net send NAME MESSAGE...` for systems that have no messenger command:
// delivers the message to NAME with the messenger protocol of Windows
// networks and tells by its exit status whether it arrived.

#include "commandline.h"
#include "core/accountname.h"
#include "messengerclient.h"

#include <QCoreApplication>
#include <QHostInfo>

#include <cstdio>
#include <unistd.h>

using namespace brisquel::net;

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const CommandLine command = parseCommandLine(QCoreApplication::arguments().mid(1));
    switch (command.action) {
    case CommandLine::Action::Help:
        print(stdout, usageText());
        return 0;
    case CommandLine::Action::Version:
        print(stdout, versionText());
        return 0;
    case CommandLine::Action::Wrong:
        print(stderr, command.complaint);
        return kUsageExitStatus;
    case CommandLine::Action::Send:
        break;
    }

    const bool named = !command.configFile.isEmpty();
    const SettingsRead settings =
        readNameServiceSettings(named ? command.configFile : QString::fromLatin1(kDefaultSambaConfig), named);
    if (!settings.problem.isEmpty()) {
        print(stderr, QStringLiteral("net: %1.\n").arg(settings.problem));
        return kUsageExitStatus;
    }
    MessengerOptions options;
    options.names = settings.settings;

    int status = 0;
    MessengerClient client(options);
    QObject::connect(&client, &MessengerClient::finished, &app, [&](SendOutcome outcome) {
        status = outcomeExitStatus(outcome);
        if (outcome != SendOutcome::Delivered)
            print(stderr, failureText(command.name, outcome));
        QCoreApplication::quit();
    });
    client.send({command.name, QString::fromLocal8Bit(brisquel::accountName()), QHostInfo::localHostName(), command.message});
    QCoreApplication::exec();
    if (client.leftALookupRunning()) {
        // A system lookup that never answers keeps its thread, and an
        // orderly exit would wait for it: leave now, as reported.
        std::fflush(nullptr);
        ::_exit(status);
    }
    return status;
}
