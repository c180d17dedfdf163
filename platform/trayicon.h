#pragma once

#include <QObject>
#include <QString>

class QIcon;

namespace brisquel {

// The program's one icon in the notification area.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    // What the user did on the icon; the values are the old mouse messages.
    enum class Event { LeftButtonDown = 0x201, LeftDoubleClick = 0x203, RightButtonDown = 0x204 };

    virtual ~TrayIcon() = default;

    // Shows the icon; adding it again while it is there leaves one icon.
    virtual void add(const QIcon &icon, const QString &tip) = 0;
    // Removes the icon; harmless when there is none.
    virtual void remove() = 0;
    // Whether the desktop has a notification area to show the icon in (GNOME
    // has none by default).
    virtual bool isAvailable() const = 0;
    // True while the icon is on show in a notification area.
    virtual bool isShown() const = 0;
    // How long a balloon stays on screen, long enough to read a few lines,
    // unless a newer one replaces it.
    static constexpr int kBalloonMs = 15000;

    // Changes the tip of the icon, on show or not.
    virtual void setTip(const QString &tip) = 0;

    // A balloon message from the icon, shown for kBalloonMs. False when
    // none could be shown: no icon on show, or a tray that has no balloons.
    // A new balloon takes the place of the one on show.
    bool showMessage(const QString &title, const QString &text)
    {
        if (!putUpMessage(title, text))
            return false;
        emit messageShown();
        return true;
    }

signals:
    // What the user did on the icon.
    void activated(brisquel::TrayIcon::Event event);
    // The notification area appeared or went away.
    void availabilityChanged();
    // A balloon went up, replacing any other: whoever put up the one before
    // learns that a click is no longer about theirs.
    void messageShown();
    // The user clicked the balloon on show.
    void messageClicked();

protected:
    // Shows the balloon itself; see showMessage.
    virtual bool putUpMessage(const QString &title, const QString &text) = 0;
};

} // namespace brisquel
