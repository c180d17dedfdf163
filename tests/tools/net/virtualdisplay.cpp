#include "virtualdisplay.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kToolTimeoutMs = 5000;

} // namespace

VirtualDisplay::~VirtualDisplay()
{
    stop();
}

QString VirtualDisplay::whyUnavailable()
{
    for (const char *tool : {"Xvfb", "xdotool"}) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed (Debian packages xvfb and xdotool)").arg(QLatin1String(tool));
    }
    return {};
}

QString VirtualDisplay::start()
{
    m_server = std::make_unique<QProcess>();
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

void VirtualDisplay::stop()
{
    if (!m_server)
        return;
    if (m_server->state() == QProcess::Running) {
        m_server->terminate();
        if (!m_server->waitForFinished(kToolTimeoutMs)) {
            m_server->kill();
            m_server->waitForFinished(kToolTimeoutMs);
        }
    }
    m_server.reset();
}

QString VirtualDisplay::xdotool(const QStringList &arguments) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_name);
    tool.setProcessEnvironment(environment);
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
