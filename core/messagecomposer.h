#pragma once

#include "appstate.h"
#include "budget.h"

#include <QObject>

namespace brisquel {

class Dispatcher;

// What the main window does with the message being typed, apart from its
// controls: the budget and the caption it leaves, the bank of users or
// groups the buttons send to, the sends, and paging through the history.
// The window calls it and keeps its controls in step with what it signals.
class MessageComposer : public QObject {
    Q_OBJECT

public:
    MessageComposer(AppState &state, Dispatcher &dispatcher, QObject *parent = nullptr);

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
