#include "platform/processcommandstarter.h"

#include <QProcess>
#include <QTimer>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace brisquel {

// CreateProcess gets the command line exactly as built and looks the program
// up itself (our own folder first, then the system folders and PATH), so the
// program folders are not used here.
ProcessCommandStarter::ProcessCommandStarter(QStringList programFolders)
    : m_programFolders(std::move(programFolders))
{
}

ProcessCommandStarter::~ProcessCommandStarter() = default;

// The process is not watched here: its end is reported, as a success, as
// soon as it has started, and a start that fails as such.
void ProcessCommandStarter::start(const QString &commandLine, EndHandler ended)
{
    const qsizetype blank = commandLine.indexOf(u' ');
    QString nativeLine = commandLine; // CreateProcessW may write into it

    QProcess process;
    process.setProgram(blank < 0 ? commandLine : commandLine.left(blank));
    process.setCreateProcessArgumentsModifier([&nativeLine](QProcess::CreateProcessArguments *args) {
        args->applicationName = nullptr;
        args->arguments = reinterpret_cast<wchar_t *>(nativeLine.data());
        args->flags |= CREATE_NO_WINDOW;
    });
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    CommandEnd end;
    if (!process.startDetached()) {
        end.kind = CommandEnd::Kind::NotStarted;
        end.program = process.program();
    }
    if (ended)
        QTimer::singleShot(0, [ended = std::move(ended), end] { ended(end); });
}

} // namespace brisquel
