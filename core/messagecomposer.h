#pragma once

#include "appstate.h"
#include "budget.h"

#include <QObject>

namespace brisquel {

class Dispatcher;

// What the program does with the messages being typed, apart from the
// windows' controls: the login at start, the sender name and whether it
// signs, the budget and the caption it leaves, the bank of users or groups
// the buttons send to, the sends (the quick-message strip's too), and paging
// through the history. The windows call it and keep their controls in step
// with what it signals.
class MessageComposer : public QObject {
    Q_OBJECT

public:
    MessageComposer(AppState &state, Dispatcher &dispatcher, QObject *parent = nullptr);

    // A run starts with who runs it, a full budget, no history and the
    // users' bank.
    void begin(const QString &loginName);
    const QString &loginName() const { return m_state.loginName; }

    // The name the user chose for signing; an empty one signs with the login
    // name again, without taking letters from the budget.
    void setSenderName(const QString &name);
    const QString &senderName() const { return m_state.senderName; }

    // The budget rule for the window's message box, run from the box's
    // change handler; then the caption for what is left. `Box` gives
    // text(), length() and setText(), and runs its change handler again,
    // nested, when setText() changes the text.
    template <typename Box>
    void messageChanged(Box &box)
    {
        applyBudget(m_state, box);
        emit captionChanged(budgetCaption(m_state.lettersLeft, box.length() == 0));
    }
    // The same budget for a strip's box (the quick message, the reply),
    // which has no caption to count down in.
    template <typename Box>
    void quickMessageChanged(Box &box)
    {
        applyBudget(m_state, box);
    }
    // False once the budget is used up: typed keys are refused then.
    bool hasRoom() const { return m_state.lettersLeft > 0; }

    RecipientMode mode() const { return m_state.recipientMode; }
    // The list the bank shows in the current mode.
    const RecipientList &bank() const;
    void switchMode();

    // To the recipients behind bank button `slot` in the current mode.
    void sendToSlot(int slot, const QString &message);
    // To recipients typed by hand: a comma makes a list.
    void sendToTyped(const QString &recipients, const QString &message);
    // From the quick-message strip, to entry `index` of its user list, which
    // stands for user slot `index`; entries past the last slot (a settings
    // file listing its users twice) have no user behind them.
    void sendQuick(int index, const QString &message);
    // A reply to a received message goes to the address it came from, not
    // to the name its sender claims.
    void sendReply(const QString &address, const QString &message);

    int historyCount() const { return m_state.history.count(); }
    // The history bar moved: the message to show there.
    QString browseTo(int position);

signals:
    void captionChanged(const QString &caption);
    void modeChanged(brisquel::RecipientMode mode);
    // A message went out (the history records it only when sent from its
    // end); the history holds `historyCount` messages.
    void sent(int historyCount);

private:
    AppState &m_state;
    Dispatcher &m_dispatcher;
};

} // namespace brisquel
