#pragma once

#include "deliveryreport.h"
#include "appstate.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace brisquel {

class CommandStarter;

// The only place that sends anything: one `net send` command line per
// recipient, then one history step per call. The commands are started
// without waiting, at most kMaxRunning of one call at a time: the others
// wait in that call's queue and start as earlier ones end, so a huge group
// neither freezes the window nor floods the machine, and a message sent
// meanwhile does not wait behind it.
class Dispatcher {
public:
    static constexpr int kMaxRunning = 16;

    Dispatcher(AppState &state, CommandStarter &starter);
    ~Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    // One recipient.
    void sendToUser(const QString &recipient, const QString &message);
    // A recipient list such as "pepe, juan": one command per item, in order.
    void sendToGroup(const QString &recipients, const QString &message);

    // Called once per call of the two above whose sends did not all
    // succeed, when the last of them has ended.
    std::function<void(const DeliveryReport &)> onFailures;
    // Called after each send has ended and the next waiting one started.
    std::function<void()> onSendEnded;

    // Commands of all calls waiting for their turn, and those started and
    // not yet ended.
    qsizetype waiting() const { return m_waiting; }
    int running() const { return m_running; }

private:
    struct Send {
        QString recipient;
        QString commandLine;
    };
    struct Batch;

    void sendAll(const QStringList &recipients, const QString &message);
    void startWaiting(const std::shared_ptr<Batch> &batch);
    void ended(const std::shared_ptr<Batch> &batch, const QString &recipient, const CommandEnd &end);

    AppState &m_state;
    CommandStarter &m_starter;
    qsizetype m_waiting = 0;
    int m_running = 0;
    // Ends reported after the dispatcher is gone find this expired.
    std::shared_ptr<Dispatcher *> m_self;
};

// "net send R "M<LF><CR><LF><CR>signature"" for the state's signature choice.
QString netSendCommandLine(const AppState &state, const QString &recipient, const QString &message);

// The items of a recipient list. The separator is a comma plus one more
// character, whatever it is; nothing is trimmed and empty items count.
QStringList splitRecipientList(const QString &recipients);

} // namespace brisquel
