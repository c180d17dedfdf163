#pragma once

#include "core/commandstarter.h"

#include <QStringList>

#include <utility>

namespace brisquel {

// Starts nothing; keeps every command line it is handed, in order. Each
// command ends at once, successfully, unless `heldBack` is set: then the
// ends wait in `pending` until the test calls finishPending().
class RecordingCommandStarter final : public CommandStarter
{
public:
    void start(const QString &commandLine, EndHandler ended) override
    {
        commandLines.append(commandLine);
        if (heldBack)
            pending.append(std::move(ended));
        else if (ended)
            ended(CommandEnd{});
    }

    // Ends every held-back command with `end`, in the order they started.
    void finishPending(const CommandEnd &end = {})
    {
        const QList<EndHandler> ending = std::exchange(pending, {});
        for (const EndHandler &ended : ending) {
            if (ended)
                ended(end);
        }
    }

    QStringList commandLines;
    bool heldBack = false;
    QList<EndHandler> pending;
};

} // namespace brisquel
