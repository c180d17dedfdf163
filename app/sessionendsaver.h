#pragma once

#include "platform/sessionendwatcher.h"

namespace brisquel {

class Program;

// The end of the desktop session keeps the settings as a closed main window
// does: SIGTERM and SIGHUP unload the main window (which saves and ends the
// program), the session manager's request saves and lets the program run
// on. Before the main window has loaded there is nothing to keep.
class SessionEndSaver {
public:
    explicit SessionEndSaver(Program &program);

private:
    SessionEndWatcher m_watcher;
};

} // namespace brisquel
