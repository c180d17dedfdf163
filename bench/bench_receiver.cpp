// brisquel-receiver beside Samba's smbd, both receiving the same burst on
// loopback, one after the other (both listen on TCP 139): 1,000 messages
// from 20 senders at once, each sender one connection per message, as `net
// send` makes them. Throughput, the 50th and 99th percentile of one
// message's time from connect to acknowledgement, and the receiver's peak
// resident memory. Samba's message command writes each message to a file;
// the receiver keeps each in its spool. Every message must be acknowledged,
// or there are no figures.

#include "tools/net/privatesamba.h"
#include "timing.h"

#include "tools/net/messengerclient.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace brisquel::net;

namespace {

constexpr int kMessages = 1000;
constexpr int kSenders = 20;
constexpr int kStartTimeoutMs = 10000;
constexpr int kBurstTimeoutMs = 300000;

const QString kText = QStringLiteral("¿Comemos juntos hoy? Invito yo. La reunión de las diez se pasa a las once.\n"
                                     "Ana@Brisquel v2.4b");

struct Burst {
    double seconds = 0;
    std::vector<double> latenciesMs;
    int delivered = 0;
};

// Twenty senders, each sending its share one message after another; the
// whole burst runs on this thread's event loop.
Burst sendBurst()
{
    MessengerOptions options;
    options.endpoints = {{139, true}};
    options.names.order = {ResolveMethod::Host}; // an address: nothing is asked on the network
    // Slow answers are measured, not given up on.
    options.connectTimeoutMs = 60000;
    options.attemptTimeoutMs = 60000;
    options.stepTimeoutMs = 60000;
    options.totalTimeoutMs = 120000;
    Burst burst;
    int finished = 0;
    QEventLoop loop;
    std::vector<std::unique_ptr<MessengerClient>> clients(kSenders);
    std::function<void(int, int)> sendNext = [&](int sender, int left) {
        if (left == 0)
            return;
        clients[std::size_t(sender)] = std::make_unique<MessengerClient>(options);
        MessengerClient *client = clients[std::size_t(sender)].get();
        const bench::Clock::time_point start = bench::Clock::now();
        QObject::connect(client, &MessengerClient::finished, &loop, [&, sender, left, start](SendOutcome outcome) {
            burst.latenciesMs.push_back(bench::msSince(start));
            if (outcome == SendOutcome::Delivered)
                ++burst.delivered;
            if (++finished == kMessages)
                loop.quit();
            // Not from inside the client's own signal.
            QTimer::singleShot(0, &loop, [&sendNext, sender, left] { sendNext(sender, left - 1); });
        });
        client->send({QStringLiteral("127.0.0.1"), QStringLiteral("BENCH%1").arg(sender),
                      QStringLiteral("benchhost"), kText});
    };
    const bench::Clock::time_point start = bench::Clock::now();
    for (int sender = 0; sender < kSenders; ++sender)
        sendNext(sender, kMessages / kSenders);
    QTimer::singleShot(kBurstTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    burst.seconds = bench::msSince(start) / 1000;
    return burst;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const std::size_t index = std::min(values.size() - 1, std::size_t(fraction * double(values.size())));
    return values[index];
}

bool listening(quint16 port)
{
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired()) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

// Peak resident memory of a running process, in KiB.
std::optional<long> peakResidentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return std::nullopt;
}

// The messages a desktop client of the receiver's socket is handed, counted
// until none comes for a while: every acknowledged one must be there.
int messagesOnTheSocket(const QString &path)
{
    QLocalSocket client;
    client.connectToServer(path);
    if (!client.waitForConnected(2000))
        return -1;
    int lines = 0;
    while (lines < kMessages && client.waitForReadyRead(2000)) {
        while (client.canReadLine()) {
            if (QJsonDocument::fromJson(client.readLine()).object().contains(QStringLiteral("id")))
                ++lines;
        }
    }
    return lines;
}

void printBurst(const char *who, const Burst &burst)
{
    std::printf("  %-18s %8.0f messages/s   p50 %7.2f ms   p99 %7.2f ms\n", who, kMessages / burst.seconds,
                percentile(burst.latenciesMs, 0.50), percentile(burst.latenciesMs, 0.99));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("bench_receiver: %d messages from %d senders at once on loopback\n", kMessages, kSenders);

    const QString unavailable = PrivateSamba::whyUnavailable(139);
    if (!unavailable.isEmpty()) {
        std::printf("  skipped: %s\n", qPrintable(unavailable));
        return 0;
    }

    // The receiver first, with the per-source limits raised: every sender
    // here is 127.0.0.1.
    QTemporaryDir folder;
    const QString socketPath = folder.filePath(QStringLiteral("receiver.sock"));
    const QString spool = folder.filePath(QStringLiteral("spool"));
    QDir().mkpath(spool);
    const QByteArray config = "[global]\n"
                              "netbios name = BENCHRECV\n"
                              "listen = 127.0.0.1\n"
                              "ports = 139\n"
                              "allowed networks = 127.0.0.0/8\n"
                              "socket = " + socketPath.toUtf8() + "\n"
                              "spool = " + spool.toUtf8() + "\n"
                              "max connections = 64\n"
                              "max connections per source = 64\n"
                              "messages per minute = 1000000\n"
                              "spool messages = 100000\n"
                              "spool bytes = 1000000000\n";
    QFile configFile(folder.filePath(QStringLiteral("receiver.conf")));
    if (!configFile.open(QIODevice::WriteOnly) || configFile.write(config) != config.size()) {
        std::printf("  no temporary configuration file; no figures\n");
        return 1;
    }
    configFile.close();

    QProcess receiver;
    receiver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    receiver.start(QStringLiteral(RECEIVER_PROGRAM),
                   {QStringLiteral("--config"), configFile.fileName(), QStringLiteral("--foreground")});
    if (!receiver.waitForStarted(kStartTimeoutMs) || !listening(139)) {
        std::printf("  brisquel-receiver did not start; no figures\n");
        return 1;
    }
    const std::optional<long> idleKiB = peakResidentKiB(receiver.processId());
    const Burst ours = sendBurst();
    const std::optional<long> peakKiB = peakResidentKiB(receiver.processId());
    const int handedOver = messagesOnTheSocket(socketPath);
    receiver.terminate();
    if (!receiver.waitForFinished(5000))
        receiver.kill();
    receiver.waitForFinished(2000);
    if (ours.delivered != kMessages) {
        std::printf("  brisquel-receiver acknowledged %d of %d messages; no figures\n", ours.delivered, kMessages);
        return 1;
    }

    PrivateSamba samba;
    const QString problem = samba.start();
    if (!problem.isEmpty()) {
        std::printf("  skipped: the private Samba server did not start: %s\n", qPrintable(problem));
        return 0;
    }
    const Burst theirs = sendBurst();
    const int files = int(QDir(samba.inboxFolder()).entryList(QDir::Files).size());
    samba.stop();

    printBurst("brisquel-receiver", ours);
    printBurst("Samba smbd", theirs);
    const double ratio = theirs.seconds / ours.seconds;
    std::printf("  throughput ratio receiver/smbd %6.2f   (goal: at least 5, %s)\n", ratio,
                ratio >= 5 ? "met" : "NOT met");
    if (theirs.delivered != kMessages)
        std::printf("  Samba smbd acknowledged only %d of %d messages\n", theirs.delivered, kMessages);
    std::printf("  messages in Samba's inbox      %6d\n", files);
    std::printf("  messages handed to a desktop   %6d of %d\n", handedOver, kMessages);
    if (idleKiB && peakKiB) {
        std::printf("  receiver peak RSS (VmHWM)      %6.1f MB   (goal: under 10 MB, %s); %.1f MB before the burst\n",
                    double(*peakKiB) / 1024, *peakKiB < 10 * 1024 ? "met" : "NOT met", double(*idleKiB) / 1024);
    }
    return 0;
}
