#include "cp1252validator.h"

#include "core/cp1252.h"

namespace brisquel {

QValidator::State Cp1252Validator::validate(QString &input, int &pos) const
{
    QString kept;
    kept.reserve(input.size());
    int keptPos = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        if (fitsCp1252(c)) {
            kept.append(c);
            if (i < pos)
                ++keptPos;
        }
    }
    if (kept.size() != input.size()) {
        input = kept;
        pos = keptPos;
    }
    return Acceptable;
}

} // namespace brisquel
