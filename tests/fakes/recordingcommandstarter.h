#pragma once

#include "core/commandstarter.h"

#include <QStringList>

namespace brisquel {

// Starts nothing; keeps every command line it is handed, in order.
class RecordingCommandStarter final : public CommandStarter
{
public:
    void start(const QString &commandLine) override { commandLines.append(commandLine); }

    QStringList commandLines;
};

} // namespace brisquel
