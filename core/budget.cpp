#include "budget.h"

#include <algorithm>

namespace brisquel {

int messageBudget(const Module1 &state)
{
    if (state.NombrePropio == False)
        return kFullBudget;
    return std::max<qsizetype>(0, kFullBudget - state.Remitente.size());
}

QString budgetCaption(Integer letrasQuedan, bool messageEmpty)
{
    const QString title = QStringLiteral("Brisquel v2.4b");
    if (messageEmpty)
        return title;
    if (letrasQuedan == 1)
        return title + QStringLiteral(" - Queda 1 letra...");
    return title + QStringLiteral(" - Quedan ") + QString::number(letrasQuedan) + QStringLiteral(" letras...");
}

} // namespace brisquel
