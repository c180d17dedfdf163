#pragma once

#include "core/deliveryreport.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace brisquel {

class TrayIcon;

// Tells the user, without interrupting, which sends of a click failed: a
// balloon from the tray icon while it is shown, otherwise a small window in
// a corner of the screen that does not take the focus when it appears. A
// notice keeps every failure told in it, newest last, until it is closed
// (the window) or has faded (a balloon). A missing messenger command is
// told once, the first time, with where it was looked for.
class DeliveryNotice
{
public:
    explicit DeliveryNotice(TrayIcon &tray);
    ~DeliveryNotice();
    DeliveryNotice(const DeliveryNotice &) = delete;
    DeliveryNotice &operator=(const DeliveryNotice &) = delete;

    void show(const DeliveryReport &report);
    // Closes the window of a notice still open: the program is ending.
    void close();

    // The window of the notice, while it is open (for the tests).
    QWidget *window() const { return m_window; }

    static const QString kTitle;

private:
    QString textFor(const DeliveryReport &report);
    bool showBalloon(const QString &block);
    void showWindow(const QString &block);
    void createWindow();

    TrayIcon &m_tray;
    bool m_toldMissingProgram = false;
    QPointer<QWidget> m_window;
    QLabel *m_text = nullptr;
    QScrollArea *m_scroll = nullptr;
    // What the open window tells, a block of lines per click, oldest first.
    QStringList m_windowBlocks;
    // What the last balloon told, while it may still be on screen: a new
    // balloon replaces it, so it tells that again.
    QStringList m_balloonBlocks;
    QDeadlineTimer m_balloonFades;
};

} // namespace brisquel
