#include "qttrayicon.h"

namespace brisquel {

namespace {
constexpr int kWatchMs = 1000;
} // namespace

QtTrayIcon::QtTrayIcon()
{
    m_watch.setInterval(kWatchMs);
    QObject::connect(&m_watch, &QTimer::timeout, [this] {
        const bool now = QSystemTrayIcon::isSystemTrayAvailable();
        // Nobody has heard of a host yet: there is no change to tell.
        if (!m_available || now == *m_available) {
            m_available = now;
            return;
        }
        m_available = now;
        emit availabilityChanged();
    });
    m_watch.start();
}

QtTrayIcon::~QtTrayIcon() = default;

void QtTrayIcon::add(const QIcon &icon, const QString &tip)
{
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>();
        QObject::connect(m_icon.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
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
        QObject::connect(m_icon.get(), &QSystemTrayIcon::messageClicked, this, &TrayIcon::messageClicked);
    }
    m_icon->setIcon(icon);
    m_icon->setToolTip(tip);
    m_icon->show();
}

void QtTrayIcon::remove()
{
    if (m_icon)
        m_icon->hide();
}

bool QtTrayIcon::isAvailable() const
{
    if (!m_available)
        m_available = QSystemTrayIcon::isSystemTrayAvailable();
    return *m_available;
}

bool QtTrayIcon::isShown() const
{
    return m_icon && m_icon->isVisible() && isAvailable();
}

void QtTrayIcon::setTip(const QString &tip)
{
    if (m_icon)
        m_icon->setToolTip(tip);
}

bool QtTrayIcon::putUpMessage(const QString &title, const QString &text)
{
    if (!isShown() || !QSystemTrayIcon::supportsMessages())
        return false;
    m_icon->showMessage(title, text, QSystemTrayIcon::Warning, kBalloonMs);
    return true;
}

} // namespace brisquel
