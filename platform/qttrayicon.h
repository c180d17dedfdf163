#pragma once

#include "platform/trayicon.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include <memory>
#include <optional>

namespace brisquel {

// QSystemTrayIcon speaks both the X11 tray protocol and StatusNotifierItem;
// its activation reasons map onto the three events the program knows.
class QtTrayIcon final : public TrayIcon
{
public:
    QtTrayIcon();
    ~QtTrayIcon() override;
    void add(const QIcon &icon, const QString &tip) override;
    void remove() override;
    bool isAvailable() const override;
    bool isShown() const override;
    void setTip(const QString &tip) override;

protected:
    bool putUpMessage(const QString &title, const QString &text) override;

private:
    // Asking Qt about the tray costs round trips to the session bus and the
    // X server: the first window is not kept waiting for them. The icon is
    // made when first added, the host looked for when first asked about or
    // at the first look of the watch, whichever comes first.
    std::unique_ptr<QSystemTrayIcon> m_icon;
    // Qt tells no change of tray host: look now and then.
    QTimer m_watch;
    mutable std::optional<bool> m_available;
};

} // namespace brisquel
