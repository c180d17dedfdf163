#include "qttrayicon.h"

namespace brisquel {

namespace {
// Long enough to read a few lines.
constexpr int kBalloonMs = 15000;
} // namespace

QtTrayIcon::QtTrayIcon()
{
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        if (!onEvent)
            return;
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            onEvent(Event::LeftButtonDown);
            break;
        case QSystemTrayIcon::DoubleClick:
            onEvent(Event::LeftDoubleClick);
            break;
        case QSystemTrayIcon::Context:
            onEvent(Event::RightButtonDown);
            break;
        default:
            break;
        }
    });
}

void QtTrayIcon::add(const QIcon &icon, const QString &tip)
{
    m_icon.setIcon(icon);
    m_icon.setToolTip(tip);
    m_icon.show();
}

void QtTrayIcon::remove()
{
    m_icon.hide();
}

bool QtTrayIcon::isShown() const
{
    return m_icon.isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::showMessage(const QString &title, const QString &text)
{
    if (isShown())
        m_icon.showMessage(title, text, QSystemTrayIcon::Warning, kBalloonMs);
}

} // namespace brisquel
