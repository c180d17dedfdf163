#pragma once

#include "core/deliveryreport.h"

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;

namespace brisquel {

class TrayIcon;

// Tells the user, without interrupting, which sends of a click failed: a
// balloon from the tray icon while it is shown, otherwise a small window in
// a corner of the screen that never takes the focus. A missing messenger
// command is told once, the first time, with where it was looked for.
class DeliveryNotice
{
public:
    explicit DeliveryNotice(TrayIcon &tray);
    ~DeliveryNotice();
    DeliveryNotice(const DeliveryNotice &) = delete;
    DeliveryNotice &operator=(const DeliveryNotice &) = delete;

    void show(const DeliveryReport &report);

    // The window of the last notice, while it is open (for the tests).
    QWidget *window() const { return m_window; }

    static const QString kTitle;

private:
    QString textFor(const DeliveryReport &report);
    void showWindow(const QString &text);

    TrayIcon &m_tray;
    bool m_toldMissingProgram = false;
    QPointer<QWidget> m_window;
    QLabel *m_text = nullptr;
};

} // namespace brisquel
