#pragma once

#include "appstate.h"

namespace brisquel {

inline constexpr int kFullBudget = 850;

// Characters a message may hold: the full budget, less the sender name when
// messages are signed with it. A name longer than the budget (only possible
// in a hand-edited file) leaves no room rather than a negative budget.
int messageBudget(const AppState &state);

// Text of the main window caption for the current lettersLeft; the plain
// title while the message is empty.
QString budgetCaption(Integer lettersLeft, bool messageEmpty);

} // namespace brisquel
