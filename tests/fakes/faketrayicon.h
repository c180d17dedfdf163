#pragma once

#include "platform/trayicon.h"

#include <QIcon>
#include <QList>
#include <QPair>

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
    bool isShown() const override { return shown; }
    void setTip(const QString &tip) override { lastTip = tip; }

    void fire(Event event) { emit activated(event); }
    // The user clicks the balloon on show.
    void clickMessage() { emit messageClicked(); }
    // A tray host starts or ends.
    void setAvailable(bool now)
    {
        available = now;
        emit availabilityChanged();
    }

    bool available = true;
    // A tray whose host draws no balloons (a D-Bus tray with no notifier).
    bool balloons = true;
    bool shown = false;
    bool iconWasSet = false;
    QString lastTip;
    int adds = 0;
    QList<QPair<QString, QString>> messages; // title, text

protected:
    bool putUpMessage(const QString &title, const QString &text) override
    {
        if (!shown || !balloons)
            return false;
        messages.append({title, text});
        return true;
    }
};

} // namespace brisquel
