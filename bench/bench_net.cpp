// One message delivered end to end on loopback to a private Samba server:
// our `net send` beside Samba's own `smbclient -M`, median of 10 each; then
// our `net send` to "localhost" found two ways: by the system resolver in
// /etc/hosts, and by a NetBIOS name query to a name server on loopback.
// Every run has a configuration of its own with the broadcast off.

#include "tools/net/fakenameserver.h"
#include "tools/net/privatesamba.h"
#include "timing.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using bench::median;

constexpr int kRuns = 10;
constexpr int kProcessTimeoutMs = 20000;

const QString kMessage = QStringLiteral("¿Comemos juntos hoy? Invito yo.\n\r\n\rAna@Brisquel v2.4b");

// Milliseconds from process start to its successful exit with the message
// in the inbox; nothing when the delivery failed.
std::optional<double> timeDelivery(PrivateSamba &samba, const QString &program, const QStringList &arguments,
                                   const QByteArray &input)
{
    samba.clearInbox();
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The event loop runs meanwhile, so the name server answers.
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(kProcessTimeoutMs, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!input.isNull()) {
        process.write(input);
        process.closeWriteChannel();
    }
    loop.exec();
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    const bool finished = process.state() == QProcess::NotRunning;
    if (!finished) {
        process.kill();
        process.waitForFinished(2000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !samba.takeMessage(2000)) {
        std::fprintf(stderr, "  %s failed: %s\n", qPrintable(program), process.readAll().constData());
        return std::nullopt;
    }
    return ms;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("bench_net: one message delivered end to end on loopback (median of %d)\n", kRuns);

    const QString unavailable = PrivateSamba::whyUnavailable(139);
    if (!unavailable.isEmpty()) {
        std::printf("  skipped: %s\n", qPrintable(unavailable));
        return 0;
    }
    PrivateSamba samba;
    const QString problem = samba.start();
    if (!problem.isEmpty()) {
        std::printf("  skipped: the private Samba server did not start: %s\n", qPrintable(problem));
        return 0;
    }

    FakeNameServer nameServer;
    nameServer.add(FakeNameServer::rawName("LOCALHOST", 0x03), QHostAddress::LocalHost);
    QTemporaryDir folder;
    const QString hostsConfig = folder.filePath(QStringLiteral("hosts.conf"));
    const QString netbiosConfig = folder.filePath(QStringLiteral("netbios.conf"));
    if (!writeFile(hostsConfig, nameServer.configLines("host"))
        || !writeFile(netbiosConfig, nameServer.configLines("wins"))) {
        std::printf("  no temporary configuration file; no figures\n");
        return 1;
    }

    const QString net = QStringLiteral(NET_PROGRAM);
    const QStringList netArguments{QStringLiteral("-s"), hostsConfig, QStringLiteral("send"),
                                   QStringLiteral("localhost"), kMessage};
    const QString smbclient = QStandardPaths::findExecutable(QStringLiteral("smbclient"));
    const QStringList smbclientArguments{QStringLiteral("-M"), QStringLiteral("localhost"),
                                         QStringLiteral("-I"), QStringLiteral("127.0.0.1"),
                                         QStringLiteral("-p"), QStringLiteral("139"),
                                         QStringLiteral("-N"), QStringLiteral("-s"), samba.configFile()};
    const QByteArray smbclientInput = kMessage.toUtf8();

    // One untimed round each, so both start with warm caches; then the two
    // take turns, so neither gets a quieter moment of the machine.
    timeDelivery(samba, net, netArguments, {});
    if (!smbclient.isEmpty())
        timeDelivery(samba, smbclient, smbclientArguments, smbclientInput);

    std::vector<double> ours;
    std::vector<double> theirs;
    for (int i = 0; i < kRuns; ++i) {
        const std::optional<double> a = timeDelivery(samba, net, netArguments, {});
        if (!a) {
            std::printf("  net send failed; no figures\n");
            return 1;
        }
        ours.push_back(*a);
        if (smbclient.isEmpty())
            continue;
        const std::optional<double> b = timeDelivery(samba, smbclient, smbclientArguments, smbclientInput);
        if (b)
            theirs.push_back(*b);
    }

    const double oursMedian = median(ours);
    std::printf("  net send (ours)        %8.2f ms\n", oursMedian);
    if (theirs.size() != std::size_t(kRuns)) {
        std::printf("  smbclient -M           %s\n", smbclient.isEmpty() ? "not installed (Debian package smbclient)"
                                                                         : "failed; no comparison");
    } else {
        const double theirMedian = median(theirs);
        const double ratio = oursMedian / theirMedian;
        std::printf("  smbclient -M           %8.2f ms\n", theirMedian);
        std::printf("  ratio ours/smbclient   %8.2f   (goal: at most 0.50, %s)\n", ratio,
                    ratio <= 0.5 ? "met" : "NOT met");
    }

    // The same name found two ways, taking turns.
    const QStringList byHosts = netArguments;
    const QStringList byNetbios{QStringLiteral("-s"), netbiosConfig, QStringLiteral("send"),
                                QStringLiteral("localhost"), kMessage};
    timeDelivery(samba, net, byNetbios, {});
    std::vector<double> hostsTimes;
    std::vector<double> netbiosTimes;
    for (int i = 0; i < kRuns; ++i) {
        const std::optional<double> a = timeDelivery(samba, net, byHosts, {});
        const std::optional<double> b = timeDelivery(samba, net, byNetbios, {});
        if (!a || !b) {
            std::printf("  a delivery by name failed; no figures\n");
            return 1;
        }
        hostsTimes.push_back(*a);
        netbiosTimes.push_back(*b);
    }
    if (nameServer.queries.size() < kRuns) {
        std::printf("  the name server was not asked; no figures\n");
        return 1;
    }
    std::printf("  localhost by the system resolver     %8.2f ms\n", median(hostsTimes));
    std::printf("  localhost by a NetBIOS name query    %8.2f ms\n", median(netbiosTimes));
    std::printf("  ratio NetBIOS/resolver               %8.2f\n", median(netbiosTimes) / median(hostsTimes));
    return 0;
}
