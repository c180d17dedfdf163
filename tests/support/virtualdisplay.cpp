#include "virtualdisplay.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kToolTimeoutMs = 5000;

// trayer's panel: 100 x 32 pixels at the bottom-right corner of the screen.
constexpr int kTrayWidth = 100;
constexpr int kTrayHeight = 32;

QString whichIsMissing(std::initializer_list<const char *> tools, const QString &packages)
{
    for (const char *tool : tools) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (Debian packages %2)").arg(QLatin1String(tool), packages);
    }
    return {};
}

} // namespace

void stopProcess(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
    }
}

void dieWithTheTest(QProcess &process)
{
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

QString VirtualDisplay::whyUnavailable()
{
    return whichIsMissing({"Xvfb", "xdotool"}, QStringLiteral("xvfb and xdotool"));
}

QString VirtualDisplay::whyNoTrayHost()
{
    return whichIsMissing({"trayer"}, QStringLiteral("trayer"));
}

QString VirtualDisplay::start()
{
    m_server = std::make_unique<QProcess>();
    dieWithTheTest(*m_server);
    // Xvfb picks a free display itself and writes its number to standard
    // output once clients can connect.
    m_server->start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                             QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("1024x768x24")});
    const QDeadlineTimer deadline(kStartTimeoutMs);
    QByteArray output;
    while (!output.contains('\n') && !deadline.hasExpired()) {
        if (!m_server->waitForReadyRead(100) && m_server->state() != QProcess::Running)
            break;
        output += m_server->readAllStandardOutput();
    }
    const QByteArray number = output.trimmed();
    if (number.isEmpty()) {
        const QString why = QStringLiteral("Xvfb did not start: ") + QString::fromLocal8Bit(m_server->readAllStandardError());
        stop();
        return why;
    }
    m_name = QLatin1Char(':') + QString::fromLatin1(number);
    return {};
}

QString VirtualDisplay::startClient(const QString &program, const QStringList &arguments)
{
    auto client = std::make_unique<QProcess>();
    dieWithTheTest(*client);
    QProcessEnvironment env = environment();
    // GTK would otherwise look for the accessibility bus.
    env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
    client->setProcessEnvironment(env);
    client->setProcessChannelMode(QProcess::SeparateChannels);
    client->start(program, arguments);
    if (!client->waitForStarted(kStartTimeoutMs))
        return program + QStringLiteral(" did not start: ") + client->errorString();
    m_clients.push_back(std::move(client));
    return {};
}

QString VirtualDisplay::startWindowManager(const QString &program, const QStringList &arguments)
{
    const QString problem = startClient(program, arguments);
    if (!problem.isEmpty())
        return problem;
    QProcess &wm = *m_clients.back();
    const QDeadlineTimer deadline(kStartTimeoutMs);
    QByteArray output;
    while (!output.contains("ready\n") && !deadline.hasExpired()) {
        if (!wm.waitForReadyRead(100) && wm.state() != QProcess::Running)
            break;
        output += wm.readAllStandardOutput();
    }
    if (!output.contains("ready\n"))
        return QStringLiteral("the window manager did not take the screen: ") + QString::fromLocal8Bit(wm.readAllStandardError());
    return {};
}

QString VirtualDisplay::startTrayHost()
{
    const QString problem = startClient(
        QStringLiteral("trayer"),
        {QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"), QStringLiteral("right"),
         QStringLiteral("--widthtype"), QStringLiteral("pixel"), QStringLiteral("--width"), QString::number(kTrayWidth),
         QStringLiteral("--heighttype"), QStringLiteral("pixel"), QStringLiteral("--height"), QString::number(kTrayHeight),
         QStringLiteral("--expand"), QStringLiteral("false"), QStringLiteral("--SetPartialStrut"),
         QStringLiteral("true")});
    if (!problem.isEmpty())
        return problem;
    QString panel;
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (panel.isEmpty() && !deadline.hasExpired()) {
        panel = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--classname"),
                         QStringLiteral("^panel$")});
        if (panel.isEmpty())
            QThread::msleep(50);
    }
    const std::optional<QRect> area = panel.isEmpty() ? std::nullopt : geometry(panel.section(u'\n', 0, 0));
    if (!area)
        return QStringLiteral("trayer never showed its panel: ") + QString::fromLocal8Bit(m_clients.back()->readAllStandardError());
    m_trayArea = *area;
    m_trayPanel = panel.section(u'\n', 0, 0);
    return {};
}

void VirtualDisplay::stop()
{
    // Clients first, so none of them complains about a vanished server.
    while (!m_clients.empty()) {
        stopProcess(*m_clients.back());
        m_clients.pop_back();
    }
    m_trayArea = {};
    m_trayPanel.clear();
    if (!m_server)
        return;
    stopProcess(*m_server);
    m_server.reset();
}

QProcessEnvironment VirtualDisplay::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_name);
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    env.remove(QStringLiteral("XAUTHORITY"));
    return env;
}

QString VirtualDisplay::xdotool(const QStringList &arguments) const
{
    QProcess tool;
    tool.setProcessEnvironment(environment());
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(kToolTimeoutMs);
        return {};
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
}

QString VirtualDisplay::waitForWindow(const QString &titlePattern, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    do {
        const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), titlePattern});
        if (!found.isEmpty())
            return found.section(u'\n', 0, 0);
        QThread::msleep(50);
    } while (!deadline.hasExpired());
    return {};
}

QString VirtualDisplay::windowTitle(const QString &window) const
{
    return xdotool({QStringLiteral("getwindowname"), window});
}

std::optional<QRect> VirtualDisplay::geometry(const QString &window) const
{
    const QString shell = xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    int x = 0, y = 0, width = -1, height = -1;
    for (const QString &line : shell.split(u'\n')) {
        const QString key = line.section(u'=', 0, 0);
        const int value = line.section(u'=', 1).toInt();
        if (key == QLatin1String("X"))
            x = value;
        else if (key == QLatin1String("Y"))
            y = value;
        else if (key == QLatin1String("WIDTH"))
            width = value;
        else if (key == QLatin1String("HEIGHT"))
            height = value;
    }
    if (width < 0 || height < 0)
        return std::nullopt;
    return QRect(x, y, width, height);
}

QStringList VirtualDisplay::visibleWindowsOf(qint64 pid) const
{
    const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                   QString::number(pid)});
    return found.isEmpty() ? QStringList() : found.split(u'\n');
}

QStringList VirtualDisplay::insideTray(const QStringList &windows) const
{
    QStringList inside;
    if (m_trayArea.isEmpty())
        return inside;
    for (const QString &window : windows) {
        const std::optional<QRect> place = geometry(window);
        if (place && m_trayArea.contains(*place))
            inside << window;
    }
    return inside;
}

QStringList VirtualDisplay::trayIconsOf(qint64 pid) const
{
    return insideTray(visibleWindowsOf(pid));
}

QStringList VirtualDisplay::windowsInTray() const
{
    // An empty pattern matches every window, named or not.
    const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                   QString()});
    return insideTray(found.isEmpty() ? QStringList() : found.split(u'\n'));
}
