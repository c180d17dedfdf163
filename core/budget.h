#pragma once

#include "appstate.h"

namespace brisquel {

// Characters a message may hold: the full budget, less the sender name when
// messages are signed with it. A name longer than the budget (only possible
// in a hand-edited file) leaves no room rather than a negative budget.
int messageBudget(const AppState &state);

// The budget rule of a message box, run from the box's change handler: a
// text that reaches the budget is cut to it, then state.lettersLeft is what
// the box holds left of the budget. The cut assigns the box's text, which
// runs the handler, and so this rule, once more, nested; at exactly the
// budget the text stays the same and nothing runs. `Box` gives text(),
// length() and setText().
template <typename Box>
void applyBudget(AppState &state, Box &box)
{
    const int budget = messageBudget(state);
    const QString text = box.text();
    if (text.size() >= budget)
        box.setText(text.left(budget));
    state.lettersLeft = budget - box.length();
}

// Text of the main window caption for the current lettersLeft; the plain
// title while the message is empty.
QString budgetCaption(int lettersLeft, bool messageEmpty);

} // namespace brisquel
