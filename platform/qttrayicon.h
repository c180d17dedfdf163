#pragma once

#include "platform/trayicon.h"

#include <QSystemTrayIcon>
#include <QTimer>

namespace brisquel {

// QSystemTrayIcon speaks both the X11 tray protocol and StatusNotifierItem;
// its activation reasons map onto the three events the program knows.
class QtTrayIcon final : public TrayIcon
{
public:
    QtTrayIcon();
    void add(const QIcon &icon, const QString &tip) override;
    void remove() override;
    bool isAvailable() const override;
    bool isShown() const override;
    void setTip(const QString &tip) override;

protected:
    bool putUpMessage(const QString &title, const QString &text) override;

private:
    QSystemTrayIcon m_icon;
    // Qt tells no change of tray host: look now and then.
    QTimer m_watch;
    bool m_available = false;
};

} // namespace brisquel
