#pragma once

#include "sendoutcome.h"

#include <QString>
#include <QStringList>

namespace brisquel::net {

// What `net` was asked to do. Only `net send NAME MESSAGE...` is served:
// the words after NAME, joined by one blank, are the message.
struct CommandLine {
    bool isSend = false;
    QString name;
    QString message;
    QString complaint; // when !isSend: the text for standard error
};

// The arguments after the program name.
CommandLine parseCommandLine(const QStringList &arguments);

QString usageText();

// The line for standard error when a send fails.
QString failureText(const QString &name, SendOutcome outcome);

} // namespace brisquel::net
