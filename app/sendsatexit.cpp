#include "sendsatexit.h"

#include "core/dispatch.h"
#include "ui/main/deliverynotice.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace brisquel {

namespace {

// Our net gives up on its own after 30 s; nothing ending for longer than
// this means a command that never will.
constexpr int kStuckMs = 40000;

void printLines(const QStringList &lines)
{
    for (const QString &line : lines)
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

void finishSends(Dispatcher &dispatcher)
{
    const auto idle = [&dispatcher] { return dispatcher.running() == 0 && dispatcher.waiting() == 0; };
    if (idle())
        return;

    QEventLoop loop;
    QTimer stuck;
    stuck.setSingleShot(true);
    QObject::connect(&stuck, &QTimer::timeout, &loop, &QEventLoop::quit);
    dispatcher.onFailures = [](const DeliveryReport &report) {
        QStringList lines{DeliveryNotice::kTitle};
        lines << reportLines(report, report.failures.size());
        printLines(lines);
    };
    dispatcher.onSendEnded = [&] {
        if (idle())
            loop.quit();
        else
            stuck.start(kStuckMs);
    };
    stuck.start(kStuckMs);
    loop.exec();
    dispatcher.onSendEnded = nullptr;
    dispatcher.onFailures = nullptr;

    if (!idle()) {
        printLines({QStringLiteral("%1: %2 envíos no terminaron y %3 no empezaron; el programa termina sin ellos.")
                        .arg(DeliveryNotice::kTitle)
                        .arg(dispatcher.running())
                        .arg(dispatcher.waiting())});
    }
}

} // namespace brisquel
