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
    bool isAvailable() const override { return available; }

    void fire(Event event) { onEvent(event); }
    // A tray host starts or ends.
    void setAvailable(bool now)
    {
        available = now;
        if (onAvailabilityChanged)
            onAvailabilityChanged();
    }

    bool available = true;
    bool shown = false;
    bool iconWasSet = false;
    QString lastTip;
    int adds = 0;
};

} // namespace brisquel
