#pragma once

#include "sendoutcome.h"

#include <QString>
#include <QStringList>

namespace brisquel::net {

// What `net` was asked to do: `net [-s FILE] send NAME MESSAGE...` (the
// words after NAME, joined by one blank, are the message), or the usage, or
// the version. Options may also stand between "send" and NAME.
struct CommandLine {
    enum class Action { Send, Help, Version, Wrong };
    Action action = Action::Wrong;
    QString configFile; // empty: Samba's own file, when there is one
    QString name;
    QString message;
    QString complaint; // when Wrong: the one line for standard error
};

// The exit status of a command line that makes no sense.
inline constexpr int kUsageExitStatus = 2;

// The arguments after the program name.
CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();
QString versionText();

// The line for standard error when a send fails.
QString failureText(const QString &name, SendOutcome outcome);

} // namespace brisquel::net
