#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

// A private X server (Xvfb, no TCP) for driving a real program with real key
// presses and clicks through xdotool; optionally with a window manager and a
// tray host (Debian's trayer) on it. Everything it started is stopped, by
// PID, when the object goes, and dies with the test process if that is
// killed.
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
    // Why no tray host can be had here (trayer missing); empty when it can.
    static QString whyNoTrayHost();

    // Starts the server and waits, bounded, until it takes clients. Empty on
    // success, otherwise what went wrong.
    QString start();
    // Starts a window manager that prints "ready" once it owns the screen
    // (openbox does with `--startup "echo ready"`).
    QString startWindowManager(const QString &program, const QStringList &arguments = {});
    // Starts trayer at the bottom-right corner and waits for its panel.
    QString startTrayHost();
    void stop();

    // The value of DISPLAY for programs shown on it.
    QString name() const { return m_name; }
    // The test's own environment, pointed at this display; no session bus,
    // so Qt's tray icon docks into the X tray rather than looking for a
    // StatusNotifier host.
    QProcessEnvironment environment() const;

    // Runs xdotool with the arguments (bounded); its standard output, or
    // nothing when it failed.
    QString xdotool(const QStringList &arguments) const;

    // The id of the first visible window whose title matches the regular
    // expression, waiting up to timeoutMs; empty when none shows up.
    QString waitForWindow(const QString &titlePattern, int timeoutMs) const;

    QString windowTitle(const QString &window) const;
    // Position on the screen and size, in pixels; nothing for a window gone.
    std::optional<QRect> geometry(const QString &window) const;
    // The visible windows of a process (by _NET_WM_PID).
    QStringList visibleWindowsOf(qint64 pid) const;

    // The tray host's panel on the screen (empty before startTrayHost()).
    QRect trayArea() const { return m_trayArea; }
    QString trayPanel() const { return m_trayPanel; }
    // Every visible window inside the tray host's panel, the panel and its
    // icons included, whoever they belong to.
    QStringList windowsInTray() const;
    // The visible windows of a process docked in the tray host: its tray
    // icons.
    QStringList trayIconsOf(qint64 pid) const;

private:
    QString startClient(const QString &program, const QStringList &arguments);
    QStringList insideTray(const QStringList &windows) const;

    std::unique_ptr<QProcess> m_server;
    std::vector<std::unique_ptr<QProcess>> m_clients;
    QString m_name;
    QRect m_trayArea;
    QString m_trayPanel;
};

// Stops a process by its PID: politely, then by force (bounded).
void stopProcess(QProcess &process);
// Makes the processes it starts die with the test (Linux), so none outlives
// a test that was killed.
void dieWithTheTest(QProcess &process);
