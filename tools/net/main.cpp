// `net send NAME MESSAGE...` for systems that have no messenger command:
// delivers the message to NAME with the messenger protocol of Windows
// networks and tells by its exit status whether it arrived.

#include "commandline.h"
#include "loginname.h"
#include "messengerclient.h"

#include <QCoreApplication>
#include <QHostInfo>

#include <cstdio>

using namespace brisquel::net;

namespace {

void printError(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const CommandLine command = parseCommandLine(QCoreApplication::arguments().mid(1));
    if (!command.isSend) {
        printError(command.complaint);
        return 1;
    }

    int status = 0;
    MessengerClient client;
    QObject::connect(&client, &MessengerClient::finished, &app, [&](SendOutcome outcome) {
        status = outcomeExitStatus(outcome);
        if (outcome != SendOutcome::Delivered)
            printError(failureText(command.name, outcome));
        QCoreApplication::quit();
    });
    client.send({command.name, loginName(), QHostInfo::localHostName(), command.message});
    QCoreApplication::exec();
    return status;
}
