#include "budget.h"

#include <algorithm>

namespace brisquel {

int messageBudget(const AppState &state)
{
    if (state.signWithSenderName == False)
        return kFullBudget;
    return std::max<qsizetype>(0, kFullBudget - state.senderName.size());
}

QString budgetCaption(Integer lettersLeft, bool messageEmpty)
{
    const QString title = QStringLiteral("Brisquel v2.4b");
    if (messageEmpty)
        return title;
    if (lettersLeft == 1)
        return title + QStringLiteral(" - Queda 1 letra...");
    return title + QStringLiteral(" - Quedan ") + QString::number(lettersLeft) + QStringLiteral(" letras...");
}

} // namespace brisquel
