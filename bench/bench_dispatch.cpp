// A click on a group of twelve in the main window, sending through the real
// process start, timed on the user-interface thread; beside it the floor:
// the same twelve processes started directly with posix_spawn from the same
// process, in the same run. The program is composed as main() does it (no
// splash, the greeting answered at once, Qt's offscreen platform), so the
// process that starts the commands is as large as the real one. The
// stand-in `net` is a shell script that exits at once. Then a click on a
// group of 500, timed the same way, and how long until all 500 have run.

#include "core/settingsfile.h"
#include "fakes/scriptedmessagebox.h"
#include "fakes/watchingcommandstarter.h"
#include "platform/processcommandstarter.h"
#include "platform/qtfontandcolordialogs.h"
#include "platform/qtscreenmetrics.h"
#include "platform/qttrayicon.h"
#include "platform/systemloginname.h"
#include "app/program.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/picturebutton.h"
#include "ui/main/mainwindow.h"
#include "ui/services.h"
#include "timing.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

using bench::Clock;
using bench::median;
using bench::msSince;

constexpr int kRounds = 30;
constexpr int kMembers = 12;
constexpr int kBigGroup = 500;
constexpr int kBigRounds = 5;
// Time for the commands of one round to finish before the next starts.
constexpr unsigned long kPauseMs = 60;

const QString kMessage = QStringLiteral("¿Comemos juntos hoy? Invito yo, a las dos en el sitio de siempre.");

// Twelve posix_spawn of the stand-in with the argument lists `net` gets,
// standard streams on the null device, not waiting; reaped afterwards,
// outside the timed part.
double spawnFloor(const std::string &net, const std::vector<std::vector<std::string>> &argumentLists)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::vector<char *>> argvs;
    for (const std::vector<std::string> &arguments : argumentLists) {
        std::vector<char *> argv;
        for (const std::string &argument : arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        argvs.push_back(std::move(argv));
    }
    std::vector<pid_t> pids;

    const Clock::time_point start = Clock::now();
    for (std::vector<char *> &argv : argvs) {
        pid_t pid = 0;
        if (posix_spawn(&pid, net.c_str(), &actions, nullptr, argv.data(), environ) == 0)
            pids.push_back(pid);
    }
    const double ms = msSince(start);

    for (pid_t pid : pids)
        ::waitpid(pid, nullptr, 0);
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

bool writeStandIn(const QString &path)
{
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return false;
    script.write("#!/bin/sh\nexit 0\n");
    script.close();
    return script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
}

// Group slot 0 holds the twelve members, slot 1 the big group.
bool writeSettings(const QString &path, const QStringList &members, const QStringList &bigGroup)
{
    brisquel::AppState state;
    state.loginName = QStringLiteral("ana");
    state.senderName = QStringLiteral("Ana");
    state.signWithSenderName = true;
    for (int i = 0; i < brisquel::kRecipientSlots; ++i) {
        state.users[i] = {brisquel::kEmptySlotCaption, brisquel::kEmptySlotCaption};
        state.groups[i] = {brisquel::kEmptySlotCaption, brisquel::kEmptySlotCaption};
    }
    state.groups[0] = {QStringLiteral("Todos"), members.join(QStringLiteral(", "))};
    state.groups[1] = {QStringLiteral("Empresa"), bigGroup.join(QStringLiteral(", "))};
    return brisquel::saveSettings(path, state, brisquel::TextBoxLook()).isEmpty();
}

// Lets the event loop run until every command of the clicks so far has
// ended, outside the timed part.
void settle(const brisquel::Dispatcher &dispatcher)
{
    while (dispatcher.running() > 0 || dispatcher.waiting() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

long rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Only the table on the terminal.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);

    QTemporaryDir folder;
    const QString net = folder.filePath(QStringLiteral("net"));
    QStringList members;
    std::vector<std::vector<std::string>> argumentLists;
    for (int i = 1; i <= kMembers; ++i) {
        members << QStringLiteral("puesto%1").arg(i, 2, 10, QLatin1Char('0'));
        argumentLists.push_back({"net", "send", members.last().toStdString(),
                                 (kMessage + QStringLiteral("\n\r\n\rAna@Brisquel v2.4b")).toStdString()});
    }
    QStringList bigGroup;
    for (int i = 1; i <= kBigGroup; ++i)
        bigGroup << QStringLiteral("puesto%1").arg(i, 3, 10, QLatin1Char('0'));
    if (!folder.isValid() || !writeStandIn(net)
        || !writeSettings(folder.filePath(QStringLiteral("brisquel.ini")), members, bigGroup)) {
        std::printf("bench_dispatch: no temporary folder; no figures\n");
        return 1;
    }

    brisquel::QtScreenMetrics screen;
    brisquel::ScriptedMessageBox messageBox({brisquel::MessageBox::Answer::Yes});
    brisquel::SystemLoginName loginName;
    brisquel::WatchingCommandStarter<brisquel::ProcessCommandStarter> starter(QStringList{folder.path()});
    brisquel::QtFontAndColorDialogs fontAndColorDialogs;
    brisquel::QtTrayIcon tray;
    brisquel::Services services{screen, messageBox, loginName, starter, fontAndColorDialogs, tray, [] {}};
    services.settingsPath = folder.filePath(QStringLiteral("brisquel.ini"));
    brisquel::Program program(services);
    brisquel::MainWindow &form = program.mainWindow();
    if (!form.loadedOk())
        return 1;
    form.show();
    QCoreApplication::processEvents();
    auto *groupButton = form.findChild<brisquel::PictureButton *>(QStringLiteral("recipientButton0"));
    auto *userButton = form.findChild<brisquel::PictureButton *>(QStringLiteral("recipientButton1"));
    form.findChild<brisquel::PictureButton *>(QStringLiteral("modeButton"))->click(); // the bank shows the groups
    form.findChild<brisquel::ExactTextBox *>(QStringLiteral("messageEdit"))->setText(kMessage);

    std::printf("bench_dispatch: a click on a group of %d in the main window, timed on the user-interface thread "
                "(process of %.0f MB); median of %d, taking turns\n", kMembers, double(rssKb()) / 1024, kRounds);

    // One untimed round each.
    brisquel::Dispatcher &dispatcher = program.dispatcher();
    const std::string netPath = net.toStdString();
    groupButton->click();
    settle(dispatcher);
    spawnFloor(netPath, argumentLists);
    QThread::msleep(kPauseMs);

    std::vector<double> ours;
    std::vector<double> floor;
    for (int round = 0; round < kRounds; ++round) {
        const Clock::time_point start = Clock::now();
        groupButton->click();
        ours.push_back(msSince(start));
        settle(dispatcher);
        QThread::msleep(kPauseMs);
        floor.push_back(spawnFloor(netPath, argumentLists));
        QThread::msleep(kPauseMs);
    }
    if (starter.commandLines.isEmpty()
        || starter.commandLines.last() != QStringLiteral("net send puesto12 \"") + kMessage
                                              + QStringLiteral("\n\r\n\rAna@Brisquel v2.4b\"")) {
        std::printf("  the click did not send to the group; no figures\n");
        return 1;
    }

    const double oursMedian = median(ours);
    const double floorMedian = median(floor);
    const double ratio = oursMedian / floorMedian;
    std::printf("  click: sendToGroup, ProcessCommandStarter %8.2f ms  (%.3f ms a member; fastest %.2f ms)\n",
                oursMedian, oursMedian / kMembers, *std::min_element(ours.begin(), ours.end()));
    std::printf("  %d x posix_spawn of the same stand-in    %8.2f ms  (%.3f ms a member; fastest %.2f ms)\n",
                kMembers, floorMedian, floorMedian / kMembers, *std::min_element(floor.begin(), floor.end()));
    std::printf("  ratio                                    %8.2f     at most 1.50: %s\n", ratio,
                ratio <= 1.5 ? "met" : "NOT met");
    std::printf("  the click under 30 ms                               %s\n", oursMedian < 30 ? "met" : "NOT met");

    // The big group: the click starts the first few and returns; the rest
    // follow from the event loop as earlier ones end.
    std::vector<double> clicks;
    std::vector<double> drains;
    for (int round = 0; round < kBigRounds; ++round) {
        const Clock::time_point start = Clock::now();
        userButton->click();
        clicks.push_back(msSince(start));
        settle(dispatcher);
        drains.push_back(msSince(start));
    }
    std::printf("bench_dispatch: a click on a group of %d, median of %d\n", kBigGroup, kBigRounds);
    std::printf("  click, on the user-interface thread      %8.2f ms  (slowest %.2f ms)\n", median(clicks),
                *std::max_element(clicks.begin(), clicks.end()));
    std::printf("  until all %d have run, at most %d at once %8.0f ms\n", kBigGroup, brisquel::Dispatcher::kMaxRunning,
                median(drains));
    // The click itself starts no more than the cap: at most the floor for
    // that many, as for the twelve.
    const double capFloor = floorMedian * brisquel::Dispatcher::kMaxRunning / kMembers;
    std::printf("  %d x posix_spawn, from the floor above   %8.2f ms\n", brisquel::Dispatcher::kMaxRunning, capFloor);
    std::printf("  ratio                                    %8.2f     at most 1.50: %s\n", median(clicks) / capFloor,
                median(clicks) / capFloor <= 1.5 ? "met" : "NOT met");
    return 0;
}
