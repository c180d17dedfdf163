#pragma once

#include <QString>

namespace brisquel {

// Starts one command line as a hidden process and returns at once. The
// outcome is never reported: a command that cannot be started is simply
// skipped, so the caller goes on with the next recipient.
class CommandStarter
{
public:
    virtual ~CommandStarter() = default;
    virtual void start(const QString &commandLine) = 0;
};

} // namespace brisquel
