#include "commandlinesplit.h"

namespace brisquel {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QStringList splitCommandLine(const QString &commandLine)
{
    QStringList argv;
    const qsizetype end = commandLine.size();
    if (end == 0)
        return argv;

    qsizetype i = 0;
    bool inQuotes = false;

    QString program;
    while (i < end && (inQuotes || !isBlank(commandLine[i]))) {
        if (commandLine[i] == u'"')
            inQuotes = !inQuotes;
        else
            program += commandLine[i];
        ++i;
    }
    argv << program;

    inQuotes = false;
    for (;;) {
        while (i < end && isBlank(commandLine[i]))
            ++i;
        if (i >= end)
            break;

        QString argument;
        for (;;) {
            qsizetype backslashes = 0;
            while (i < end && commandLine[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            bool literal = true;
            if (i < end && commandLine[i] == u'"') {
                if (backslashes % 2 == 0) {
                    if (inQuotes && i + 1 < end && commandLine[i + 1] == u'"')
                        ++i; // "" inside quotes: the second one is kept
                    else {
                        literal = false;
                        inQuotes = !inQuotes;
                    }
                }
                backslashes /= 2;
            }
            argument += QString(backslashes, u'\\');
            if (i >= end || (!inQuotes && isBlank(commandLine[i])))
                break;
            if (literal)
                argument += commandLine[i];
            ++i;
        }
        argv << argument;
    }
    return argv;
}

} // namespace brisquel
