#pragma once

#include "core/commandstarter.h"

#include <QStringList>

#include <utility>

namespace brisquel {

// A real starter (`Starter`, made from the constructor's arguments) that also
// keeps every command line it is handed, in order: what was sent, with the
// processes started for real.
template <typename Starter>
class WatchingCommandStarter final : public CommandStarter
{
public:
    template <typename... Args>
    explicit WatchingCommandStarter(Args &&...args)
        : m_starter(std::forward<Args>(args)...)
    {
    }

    void start(const QString &commandLine, EndHandler ended) override
    {
        commandLines.append(commandLine);
        m_starter.start(commandLine, std::move(ended));
    }

    QStringList commandLines;

private:
    Starter m_starter;
};

} // namespace brisquel
