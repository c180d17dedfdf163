#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QSize>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <optional>

class VirtualDisplay;

// Why the e2e suite cannot run here (no Xvfb or xdotool, or, when a tray is
// wanted, no trayer); empty when it can.
QString whyNoDesktop(bool withTray);
// Starts the display with our window manager (and the tray host when
// wanted). Empty on success, otherwise what went wrong.
QString startDesktop(VirtualDisplay &display, bool withTray);

// Where a control of the main window lies, in twips (15 to a pixel here).
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
    QPoint centre() const;
};

// One run of the real program, driven only from outside: a copy of it in a
// folder of its own (it keeps brisquel.ini in the folder it starts in), with
// a stand-in `net` beside it, which it finds before any other, that records
// each argument list it is started with. The program is ended, by its PID,
// when the session goes.
class BrisquelSession
{
public:
    explicit BrisquelSession(const VirtualDisplay &display);
    ~BrisquelSession();

    BrisquelSession(const BrisquelSession &) = delete;
    BrisquelSession &operator=(const BrisquelSession &) = delete;

    // Sets up the folder, with brisquel.ini holding `settings` when given.
    // Empty on success, otherwise what went wrong.
    QString prepare(const std::optional<QByteArray> &settings = std::nullopt);
    // A variable of the program's environment, for the next start().
    void setEnvironmentValue(const QString &name, const QString &value) { m_environment.insert(name, value); }
    QString start();
    // What the program wrote to standard error, from a start() after
    // keepErrorOutput() (otherwise it goes to the test's own).
    void keepErrorOutput() { m_keepErrorOutput = true; }
    QByteArray errorOutput() { return m_process.readAllStandardError(); }

    // Waits for the greeting and answers it with its "&Sí" or "&No".
    QString answerGreeting(bool yes);
    // Waits for the main window and makes sure it takes keys: keys typed
    // before it is active are lost, so a probe letter is typed into the
    // message box until the caption counts it, then Esc empties the box.
    QString waitForMainWindow();

    QString mainWindow() const { return m_mainWindow; }
    qint64 pid() const { return m_process.processId(); }
    QString folder() const { return m_folder.path(); }
    QString settingsPath() const;
    std::optional<QByteArray> settingsFile() const;

    QString caption() const;
    // Waits for the main window's caption; the last caption seen.
    QString waitForCaption(const QString &expected, int timeoutMs = 3000) const;

    // Keys through xdotool (to whatever has the focus); "alt+o", "Escape"...
    void key(const QString &keys) const;
    void type(const QString &text) const;
    // A click at the centre of a control, or at a point, of the main window.
    void click(const TwipsRect &control) const;
    void clickAtTwips(int x, int y) const;

    // The argument lists the stand-in net received, in the order they were
    // started, once at least `count` are there (bounded); each list is taken
    // once.
    QList<QStringList> takeCalls(int count, int timeoutMs = 5000);

    QStringList visibleWindows() const;
    // Waits until `window` has the keyboard focus.
    bool waitForFocus(const QString &window, int timeoutMs = 3000) const;
    // A visible frameless dialog strip of the program (5370 x 975 twips).
    QString waitForDialog(int timeoutMs = 5000) const;
    bool waitForNoDialog(int timeoutMs = 5000) const;
    // Waits until `window` is no longer shown.
    bool waitForWindowGone(const QString &window, int timeoutMs = 5000) const;
    // A visible window of the program that is none of `known`.
    QString waitForNewWindow(const QStringList &known, int timeoutMs = 5000) const;
    QStringList trayIcons() const;
    // Waits until the program has exactly `count` icons in the tray.
    bool waitForTrayIcons(int count, int timeoutMs = 5000) const;
    // The main window's size in pixels, once it reads `expected` (bounded).
    QSize waitForMainWindowSize(const QSize &expected, int timeoutMs = 5000) const;
    bool waitForMainWindowShown(bool shown, int timeoutMs = 5000) const;

    // Alt+F4 to the main window: the window manager asks it to close, as
    // its close box would.
    void closeMainWindow() const;
    bool waitForExit(int timeoutMs = 10000);
    const QProcess &process() const { return m_process; }

private:
    const VirtualDisplay &m_display;
    QTemporaryDir m_folder;
    QProcess m_process;
    QProcessEnvironment m_environment;
    QString m_mainWindow;
    bool m_keepErrorOutput = false;
};

// A readable form of argument lists for failure messages: line breaks and
// control characters are spelled out.
QString describeCalls(const QList<QStringList> &calls);
