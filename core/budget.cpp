#include "budget.h"

#include "programtitle.h"

#include <algorithm>

namespace brisquel {

int messageBudget(const AppState &state)
{
    if (!state.signWithSenderName)
        return kFullBudget;
    return int(std::max<qsizetype>(0, kFullBudget - state.senderName.size()));
}

QString budgetCaption(int lettersLeft, bool messageEmpty)
{
    if (messageEmpty)
        return kProgramTitle;
    if (lettersLeft == 1)
        return kProgramTitle + QStringLiteral(" - Queda 1 letra...");
    return kProgramTitle + QStringLiteral(" - Quedan ") + QString::number(lettersLeft) + QStringLiteral(" letras...");
}

} // namespace brisquel
