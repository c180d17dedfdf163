#pragma once

#include "platform/trayicon.h"

#include <QIcon>

namespace brisquel {

// Counts the icons on show as the notification area would: adding an icon
// that is there already leaves one.
class FakeTrayIcon final : public TrayIcon
{
public:
    void add(const QIcon &icon, const QString &tip) override
    {
        shown = true;
        lastTip = tip;
        iconWasSet = !icon.isNull();
        ++adds;
    }
    void remove() override { shown = false; }

    void fire(Event event) { onEvent(event); }

    bool shown = false;
    bool iconWasSet = false;
    QString lastTip;
    int adds = 0;
};

} // namespace brisquel
