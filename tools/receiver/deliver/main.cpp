// brisquel-deliver ADDRESS SENDER RECIPIENT FILE: run by Samba as its
// message command (%I %f %L %s), hands the message Samba wrote to FILE to
// brisquel-receiver, which shows it on the users' desktops, and removes FILE
// once the receiver has it safe. Exit status 0 only then.

#include "delivery.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    using namespace brisquel::deliver;
    const DeliveryResult result = deliverFile(QCoreApplication::arguments().mid(1), optionsFromEnvironment());
    if (!result.complaint.isEmpty())
        std::fprintf(stderr, "%s\n", result.complaint.toLocal8Bit().constData());
    return result.exitStatus;
}
