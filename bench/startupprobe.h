#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

// What the start-up probes tell bench_startup on standard output: "shown"
// once the first window has been exposed and painted, then, after a short
// settling time with the event loop running, "rss <peak kB>". Then the
// probe ends without any teardown, which is not part of starting up.
class StartupReporter : public QObject {
public:
    explicit StartupReporter(int settleMs)
        : m_settleMs(settleMs)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_shown && event->type() == QEvent::Expose) {
            auto *window = qobject_cast<QWindow *>(watched);
            if (window != nullptr && window->isExposed()) {
                m_shown = true;
                // After the expose has been handled, the window's first
                // picture included.
                QTimer::singleShot(0, this, [this] { reportShown(); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void reportShown()
    {
        std::puts("shown");
        std::fflush(stdout);
        QTimer::singleShot(m_settleMs, this, [] {
            std::printf("rss %ld\n", peakRssKb());
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    static long peakRssKb()
    {
        QFile status(QStringLiteral("/proc/self/status"));
        if (!status.open(QIODevice::ReadOnly))
            return -1;
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toLong();
        }
        return -1;
    }

    int m_settleMs;
    bool m_shown = false;
};
