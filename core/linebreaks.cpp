#include "linebreaks.h"

namespace brisquel {

QString withCrLfLineBreaks(const QString &text)
{
    QString result;
    result.reserve(text.size() + text.size() / 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n') {
            result += c;
            continue;
        }
        result += QLatin1String("\r\n");
        // The other half of a two-character break.
        const QChar other = c == u'\r' ? u'\n' : u'\r';
        if (i + 1 < text.size() && text.at(i + 1) == other)
            ++i;
    }
    return result;
}

} // namespace brisquel
