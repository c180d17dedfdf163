#include "qttrayicon.h"

namespace brisquel {

namespace {
constexpr int kWatchMs = 1000;
} // namespace

QtTrayIcon::QtTrayIcon()
    : m_available(QSystemTrayIcon::isSystemTrayAvailable())
{
    m_watch.setInterval(kWatchMs);
    QObject::connect(&m_watch, &QTimer::timeout, [this] {
        const bool now = QSystemTrayIcon::isSystemTrayAvailable();
        if (now == m_available)
            return;
        m_available = now;
        emit availabilityChanged();
    });
    m_watch.start();

    QObject::connect(&m_icon, &QSystemTrayIcon::activated, [this](QSystemTrayIcon::ActivationReason reason) {
        switch (reason) {
        case QSystemTrayIcon::Trigger:
            emit activated(Event::LeftButtonDown);
            break;
        case QSystemTrayIcon::DoubleClick:
            emit activated(Event::LeftDoubleClick);
            break;
        case QSystemTrayIcon::Context:
            emit activated(Event::RightButtonDown);
            break;
        default:
            break;
        }
    });
    QObject::connect(&m_icon, &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
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

bool QtTrayIcon::isAvailable() const
{
    return m_available;
}

bool QtTrayIcon::isShown() const
{
    return m_icon.isVisible() && m_available;
}

void QtTrayIcon::setTip(const QString &tip)
{
    m_icon.setToolTip(tip);
}

bool QtTrayIcon::putUpMessage(const QString &title, const QString &text)
{
    if (!isShown() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_icon.showMessage(title, text, QSystemTrayIcon::Warning, kBalloonMs);
    return true;
}

} // namespace brisquel
