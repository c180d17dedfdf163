#include "platform/processcommandstarter.h"

#include "platform/commandlinesplit.h"
#include "platform/posix/programlookup.h"

#include <QProcess>

namespace brisquel {

void ProcessCommandStarter::start(const QString &commandLine)
{
    const QStringList argv = splitCommandLine(commandLine);
    if (argv.isEmpty())
        return;
    const QString program = findProgram(argv.first(), m_programFolders);
    if (program.isEmpty())
        return;

    // Started straight through exec, never a shell, so nothing in the
    // message can run as a command. startDetached forks twice: the process
    // is reaped by the system, not by us, and leaves no zombie.
    QProcess process;
    process.setProgram(program);
    process.setArguments(argv.mid(1));
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.startDetached();
}

} // namespace brisquel
