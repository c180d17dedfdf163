#pragma once

#include "core/commandstarter.h"

#include <QStringList>
#include <QTimer>

#include <memory>
#include <vector>

namespace brisquel {

// Starts a command line as a hidden process without waiting, never through
// a shell, with stdin and stdout on the null device.
//
// On Windows the command line reaches the process untouched and Windows
// finds the program itself; its end is not watched and counts as success.
// Elsewhere the line is split into arguments the way a Windows program
// would split it (splitCommandLine), and the program is looked for in the
// program folders, in order; the first executable file of that name wins.
// Its standard error goes to a pipe read as it comes, without blocking, and
// its end (exit status and the end of that output) is reported once it
// has been collected; a program found nowhere, or one that fails to start,
// is reported at once.
class ProcessCommandStarter final : public CommandStarter
{
public:
    // Looks in defaultProgramFolders(); needs the application object.
    ProcessCommandStarter();
    explicit ProcessCommandStarter(QStringList programFolders);
    ~ProcessCommandStarter() override;

    void start(const QString &commandLine, EndHandler ended) override;

    // The program's own folder, then the absolute folders of PATH, as
    // Windows looks for a program. Relative PATH entries are left out so a
    // `net` in the current folder is never picked up by accident.
    static QStringList defaultProgramFolders();

private:
    struct Child;

    void reapFinished();
    void readErrorOutput(Child &child);
    bool collect(Child &child);

    QStringList m_programFolders;
    std::vector<std::unique_ptr<Child>> m_running; // started, not yet collected (not used on Windows)
    QTimer m_reaper;
};

} // namespace brisquel
