#pragma once

#include "core/receiverprotocol.h"

#include <QString>

#include <functional>

namespace brisquel {

class CommandStarter;
class FontAndColorDialogs;
class LoginName;
class MessageBox;
class ScreenMetrics;
class TrayIcon;

// The platform services the windows use, handed in by main() (or by a test
// with fakes).
struct Services {
    ScreenMetrics &screen;
    MessageBox &messageBox;
    LoginName &loginName;
    CommandStarter &starter;
    FontAndColorDialogs &fontAndColorDialogs;
    TrayIcon &tray;
    // Ends the program at once: no unload handler runs and nothing is saved.
    std::function<void()> endProgram;
    QString settingsPath = QStringLiteral("brisquel.ini");
    // The receiving service's local socket.
    QString receiverSocketPath = QString::fromLatin1(kDefaultReceiverSocket);
};

} // namespace brisquel
