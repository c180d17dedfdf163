#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A private X server (Xvfb, no TCP) for driving a real program with real
// key presses through xdotool. Stopped, by its PID, when the object goes.
class VirtualDisplay
{
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();

    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // Why no display can be had here (Xvfb or xdotool missing); empty when
    // it can.
    static QString whyUnavailable();

    // Starts the server and waits, bounded, until it takes clients. Empty on
    // success, otherwise what went wrong.
    QString start();
    void stop();

    // The value of DISPLAY for programs shown on it.
    QString name() const { return m_name; }

    // Runs xdotool with the arguments (bounded); its standard output, or
    // nothing when it failed.
    QString xdotool(const QStringList &arguments) const;

    // The id of the first visible window whose title matches the regular
    // expression, waiting up to timeoutMs; empty when none shows up.
    QString waitForWindow(const QString &titlePattern, int timeoutMs) const;

    QString windowTitle(const QString &window) const;

private:
    std::unique_ptr<QProcess> m_server;
    QString m_name;
};
