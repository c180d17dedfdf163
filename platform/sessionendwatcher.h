#pragma once

#include <QObject>

class QSocketNotifier;

namespace brisquel {

// Tells when the desktop session is ending, so the program can keep its
// settings like a closed main window does: on SIGTERM and SIGHUP (logging
// out, a closed terminal) and when the session manager asks for the data to
// be saved first. The signals are only noted in their handler; the work is
// done later, on the event loop.
class SessionEndWatcher : public QObject {
    Q_OBJECT

public:
    explicit SessionEndWatcher(QObject *parent = nullptr);
    ~SessionEndWatcher() override;

signals:
    // SIGTERM or SIGHUP arrived: the program is asked to end.
    void endRequested();
    // The session manager asks for the data to be saved; the program may be
    // asked to go on running afterwards.
    void saveRequested();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
    // Started under nohup, SIGHUP stays ignored as asked.
    bool m_hangUpWatched = false;
};

} // namespace brisquel
