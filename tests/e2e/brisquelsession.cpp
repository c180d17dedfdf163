#include "brisquelsession.h"

#include "support/virtualdisplay.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <algorithm>

namespace {

const QString kProgram = QStringLiteral(BRISQUEL_PROGRAM);
const QString kGreetingTitle = QStringLiteral("^Brisquel v2.4b rev 10$");
const QString kPlainCaption = QStringLiteral("Brisquel v2.4b");
constexpr int kTwipsPerPixel = 15;
constexpr int kWindowTimeoutMs = 15000;
constexpr int kPollMs = 25;
// The dialog strips: 5370 x 975 twips.
const QSize kDialogSize(358, 65);

// Records one argument list per start, each argument followed by a NUL, in
// a file of its own named by the PID (written aside and renamed, so a file
// seen is complete). Processes started one after another get rising PIDs,
// which gives the order they were started in even when they run at once.
const QByteArray kStandInNet = R"(#!/bin/sh
calls="${0%/*}/calls"
printf '%s\0' "$@" > "$calls/.$$" && mv "$calls/.$$" "$calls/$$"
)";

void breathe()
{
    QThread::msleep(kPollMs);
}

} // namespace

QPoint TwipsRect::centre() const
{
    return QPoint((left + width / 2) / kTwipsPerPixel, (top + height / 2) / kTwipsPerPixel);
}

BrisquelSession::BrisquelSession(const VirtualDisplay &display)
    : m_display(display)
{
}

BrisquelSession::~BrisquelSession()
{
    stopProcess(m_process);
}

QString BrisquelSession::prepare(const std::optional<QByteArray> &settings)
{
    if (!m_folder.isValid())
        return QStringLiteral("no temporary folder: ") + m_folder.errorString();
    const QDir folder(m_folder.path());
    if (!QFile::copy(kProgram, folder.filePath(QStringLiteral("brisquel"))))
        return QStringLiteral("cannot copy ") + kProgram;

    QFile net(folder.filePath(QStringLiteral("net")));
    if (!net.open(QIODevice::WriteOnly) || net.write(kStandInNet) != kStandInNet.size())
        return QStringLiteral("cannot write the stand-in net");
    net.close();
    net.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (!folder.mkdir(QStringLiteral("calls")) || !folder.mkdir(QStringLiteral("runtime")))
        return QStringLiteral("cannot make the folders beside the program");
    QFile::setPermissions(folder.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    if (settings) {
        QFile ini(settingsPath());
        if (!ini.open(QIODevice::WriteOnly) || ini.write(*settings) != settings->size())
            return QStringLiteral("cannot write brisquel.ini");
    }
    return {};
}

QString BrisquelSession::start()
{
    QProcessEnvironment env = m_display.environment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QDir(m_folder.path()).filePath(QStringLiteral("runtime")));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(m_environment);
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(m_folder.path());
    m_process.setProcessChannelMode(m_keepErrorOutput ? QProcess::ForwardedOutputChannel : QProcess::ForwardedChannels);
    dieWithTheTest(m_process);
    m_process.start(QDir(m_folder.path()).filePath(QStringLiteral("brisquel")), {});
    if (!m_process.waitForStarted(5000))
        return QStringLiteral("the program did not start: ") + m_process.errorString();
    return {};
}

QString BrisquelSession::answerGreeting(bool yes)
{
    const QString greeting = m_display.waitForWindow(kGreetingTitle, kWindowTimeoutMs);
    if (greeting.isEmpty())
        return QStringLiteral("the greeting never showed");
    // A key pressed before the box has the focus is lost: press again while
    // the box stays.
    for (int attempt = 0; attempt < 10; ++attempt) {
        m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), greeting});
        key(yes ? QStringLiteral("s") : QStringLiteral("n"));
        const QDeadlineTimer deadline(1000);
        while (!deadline.hasExpired()) {
            if (!visibleWindows().contains(greeting))
                return {};
            breathe();
        }
    }
    return QStringLiteral("the greeting took no answer");
}

QString BrisquelSession::waitForMainWindow()
{
    m_mainWindow = m_display.waitForWindow(QStringLiteral("^Brisquel v2\\.4b$"), kWindowTimeoutMs);
    if (m_mainWindow.isEmpty())
        return QStringLiteral("the main window never showed");
    // Nothing here clicks or moves the focus: the program itself must come
    // up active, ready to type, as a user types right after the greeting.
    if (!waitForFocus(m_mainWindow, 5000))
        return QStringLiteral("the main window did not take the focus");
    key(QStringLiteral("x"));
    const QDeadlineTimer deadline(3000);
    while (caption() == kPlainCaption && !deadline.hasExpired())
        breathe();
    if (caption() == kPlainCaption)
        return QStringLiteral("the first key typed after the greeting did not reach the message box");
    key(QStringLiteral("Escape"));
    const QString seen = waitForCaption(kPlainCaption);
    if (seen != kPlainCaption)
        return QStringLiteral("Esc left the caption at ") + seen;
    return {};
}

QString BrisquelSession::settingsPath() const
{
    return QDir(m_folder.path()).filePath(QStringLiteral("brisquel.ini"));
}

std::optional<QByteArray> BrisquelSession::settingsFile() const
{
    QFile ini(settingsPath());
    if (!ini.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ini.readAll();
}

QString BrisquelSession::caption() const
{
    return m_display.windowTitle(m_mainWindow);
}

QString BrisquelSession::waitForCaption(const QString &expected, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QString seen = caption();
    while (seen != expected && !deadline.hasExpired()) {
        breathe();
        seen = caption();
    }
    return seen;
}

void BrisquelSession::key(const QString &keys) const
{
    m_display.xdotool({QStringLiteral("key"), keys});
}

void BrisquelSession::type(const QString &text) const
{
    m_display.xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("10"), text});
}

void BrisquelSession::click(const TwipsRect &control) const
{
    const QPoint at = control.centre();
    m_display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_mainWindow, QString::number(at.x()),
                       QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void BrisquelSession::clickAtTwips(int x, int y) const
{
    m_display.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), m_mainWindow,
                       QString::number(x / kTwipsPerPixel), QString::number(y / kTwipsPerPixel),
                       QStringLiteral("click"), QStringLiteral("1")});
}

QList<QStringList> BrisquelSession::takeCalls(int count, int timeoutMs)
{
    const QDir calls(QDir(m_folder.path()).filePath(QStringLiteral("calls")));
    const QDeadlineTimer deadline(timeoutMs);
    QStringList names = calls.entryList(QDir::Files);
    while (names.size() < count && !deadline.hasExpired()) {
        breathe();
        names = calls.entryList(QDir::Files);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return a.toLongLong() < b.toLongLong(); });

    QList<QStringList> taken;
    for (const QString &name : names) {
        QFile record(calls.filePath(name));
        if (!record.open(QIODevice::ReadOnly))
            continue;
        QList<QByteArray> arguments = record.readAll().split('\0');
        arguments.removeLast(); // after the last argument's NUL
        QStringList argv;
        for (const QByteArray &argument : arguments)
            argv << QString::fromUtf8(argument);
        taken << argv;
        record.remove();
    }
    return taken;
}

QStringList BrisquelSession::visibleWindows() const
{
    return m_display.visibleWindowsOf(pid());
}

bool BrisquelSession::waitForFocus(const QString &window, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (m_display.xdotool({QStringLiteral("getwindowfocus")}) != window) {
        if (deadline.hasExpired())
            return false;
        breathe();
    }
    return true;
}

QString BrisquelSession::waitForDialog(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        for (const QString &window : visibleWindows()) {
            const std::optional<QRect> place = m_display.geometry(window);
            if (place && place->size() == kDialogSize)
                return window;
        }
        breathe();
    } while (!deadline.hasExpired());
    return {};
}

bool BrisquelSession::waitForNoDialog(int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        bool any = false;
        for (const QString &window : visibleWindows()) {
            const std::optional<QRect> place = m_display.geometry(window);
            any = any || (place && place->size() == kDialogSize);
        }
        if (!any)
            return true;
        breathe();
    } while (!deadline.hasExpired());
    return false;
}

bool BrisquelSession::waitForWindowGone(const QString &window, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (visibleWindows().contains(window)) {
        if (deadline.hasExpired())
            return false;
        breathe();
    }
    return true;
}

QString BrisquelSession::waitForNewWindow(const QStringList &known, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        for (const QString &window : visibleWindows()) {
            if (!known.contains(window))
                return window;
        }
        breathe();
    } while (!deadline.hasExpired());
    return {};
}

QStringList BrisquelSession::trayIcons() const
{
    return m_display.trayIconsOf(pid());
}

bool BrisquelSession::waitForTrayIcons(int count, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (trayIcons().size() != count) {
        if (deadline.hasExpired())
            return false;
        breathe();
    }
    return true;
}

QSize BrisquelSession::waitForMainWindowSize(const QSize &expected, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    QSize seen;
    do {
        const std::optional<QRect> place = m_display.geometry(m_mainWindow);
        seen = place ? place->size() : QSize();
        if (seen == expected)
            break;
        breathe();
    } while (!deadline.hasExpired());
    return seen;
}

bool BrisquelSession::waitForMainWindowShown(bool shown, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (visibleWindows().contains(m_mainWindow) != shown) {
        if (deadline.hasExpired())
            return false;
        breathe();
    }
    return true;
}

void BrisquelSession::closeMainWindow() const
{
    m_display.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), m_mainWindow});
    key(QStringLiteral("alt+F4"));
}

bool BrisquelSession::waitForExit(int timeoutMs)
{
    if (m_process.state() == QProcess::NotRunning)
        return true;
    return m_process.waitForFinished(timeoutMs);
}

QString describeCalls(const QList<QStringList> &calls)
{
    QStringList lines;
    for (const QStringList &argv : calls) {
        QStringList shown;
        for (QString argument : argv) {
            argument.replace(u'\\', QStringLiteral("\\\\"));
            argument.replace(u'\n', QStringLiteral("\\n"));
            argument.replace(u'\r', QStringLiteral("\\r"));
            shown << u'"' + argument + u'"';
        }
        lines << u'[' + shown.join(QStringLiteral(", ")) + u']';
    }
    return lines.isEmpty() ? QStringLiteral("(no calls)") : lines.join(QStringLiteral("; "));
}

QString whyNoDesktop(bool withTray)
{
    const QString missing = VirtualDisplay::whyUnavailable();
    if (!missing.isEmpty() || !withTray)
        return missing;
    return VirtualDisplay::whyNoTrayHost();
}

QString startDesktop(VirtualDisplay &display, bool withTray)
{
    QString problem = display.start();
    if (problem.isEmpty())
        problem = display.startWindowManager(QStringLiteral(WINDOW_MANAGER));
    if (problem.isEmpty() && withTray)
        problem = display.startTrayHost();
    return problem;
}
