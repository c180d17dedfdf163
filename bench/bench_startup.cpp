// Start-up time and peak memory of the program beside a minimal Qt Widgets
// program that shows one window with one line of text, both measured the
// same way in the same run: from just before the process is spawned to the
// moment it says its first window is exposed and painted. The two take turns, on a private Xvfb (or
// Qt's offscreen platform when there is no Xvfb).

#include "core/settingsfile.h"
#include "timing.h"

#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using bench::Clock;
using bench::median;
using bench::msSince;

constexpr int kRuns = 21;
constexpr int kRunTimeoutMs = 20000;

// A child with its standard output on a pipe to us; its standard input and
// error on the null device.
struct Child {
    pid_t pid = -1;
    int out = -1;
    std::string pending;

    // The next line, without its end, waiting until the deadline.
    std::optional<std::string> readLine(Clock::time_point deadline)
    {
        for (;;) {
            const std::size_t end = pending.find('\n');
            if (end != std::string::npos) {
                std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd p{out, POLLIN, 0};
            if (::poll(&p, 1, int(left.count())) <= 0)
                continue;
            char buffer[256];
            const ssize_t n = ::read(out, buffer, sizeof buffer);
            if (n <= 0)
                return std::nullopt;
            pending.append(buffer, std::size_t(n));
        }
    }

    void stop()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        if (out >= 0)
            ::close(out);
        pid = -1;
        out = -1;
    }
};

std::optional<Child> spawn(const std::string &program, const std::vector<std::string> &arguments,
                           const std::vector<std::string> &environment)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &variable : environment)
        envp.push_back(const_cast<char *>(variable.c_str()));
    envp.push_back(nullptr);

    Child child;
    const int error = ::posix_spawnp(&child.pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    if (error != 0) {
        ::close(fds[0]);
        return std::nullopt;
    }
    child.out = fds[0];
    return child;
}

// Our environment with the given variables set.
std::vector<std::string> environmentWith(const std::vector<std::string> &settings)
{
    std::vector<std::string> environment;
    for (char **variable = environ; *variable != nullptr; ++variable) {
        const std::string entry = *variable;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced = std::any_of(settings.begin(), settings.end(), [&name](const std::string &s) {
            return s.compare(0, name.size() + 1, name + '=') == 0;
        });
        if (!replaced)
            environment.push_back(entry);
    }
    environment.insert(environment.end(), settings.begin(), settings.end());
    return environment;
}

struct Sample {
    double ms = 0;
    double rssMb = 0;
};

std::optional<Sample> measure(const std::string &probe, const std::vector<std::string> &arguments,
                              const std::vector<std::string> &environment)
{
    const Clock::time_point start = Clock::now();
    std::optional<Child> child = spawn(probe, arguments, environment);
    if (!child)
        return std::nullopt;
    const Clock::time_point deadline = start + std::chrono::milliseconds(kRunTimeoutMs);
    Sample sample;
    const std::optional<std::string> shown = child->readLine(deadline);
    sample.ms = msSince(start);
    const std::optional<std::string> rss = child->readLine(deadline);
    int status = 0;
    if (shown == std::string("shown") && rss && rss->rfind("rss ", 0) == 0) {
        sample.rssMb = std::strtod(rss->c_str() + 4, nullptr) / 1024.0;
        ::close(child->out);
        ::waitpid(child->pid, &status, 0);
        return sample;
    }
    child->stop();
    return std::nullopt;
}

// A private X server; its display name, empty when there is none.
struct Xvfb {
    Child server;
    std::string display;

    bool start()
    {
        std::optional<Child> child = spawn("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0",
                                                    "1024x768x24"},
                                           environmentWith({}));
        if (!child)
            return false;
        server = *child;
        const std::optional<std::string> number = server.readLine(Clock::now() + std::chrono::seconds(10));
        if (!number || number->empty()) {
            server.stop();
            return false;
        }
        display = ':' + *number;
        return true;
    }

    ~Xvfb()
    {
        if (server.pid > 0) {
            ::kill(server.pid, SIGTERM);
            ::waitpid(server.pid, nullptr, 0);
            ::close(server.out);
        }
    }
};

// The settings file the program finds: three users and a group.
bool writeSettings(const QString &path)
{
    brisquel::AppState state;
    state.loginName = QStringLiteral("ana");
    state.senderName = QStringLiteral("Ana");
    state.signWithSenderName = true;
    const char *users[][2] = {{"Pepe", "pepe"}, {"Juan", "juan"}, {"Luis", "luis"}};
    for (int i = 0; i < brisquel::kRecipientSlots; ++i) {
        state.users[i] = i < 3 ? brisquel::RecipientSlot{QString::fromLatin1(users[i][0]),
                                                             QString::fromLatin1(users[i][1])}
                                  : brisquel::RecipientSlot{brisquel::kEmptySlotCaption, brisquel::kEmptySlotCaption};
        state.groups[i] = {brisquel::kEmptySlotCaption, brisquel::kEmptySlotCaption};
    }
    state.groups[0] = {QStringLiteral("Todos"), QStringLiteral("pepe, juan, luis")};
    brisquel::TextBoxLook look;
    look.fontName = QStringLiteral("Liberation Sans");
    look.size = 10;
    return brisquel::saveSettings(path, state, look).isEmpty();
}

void printRow(const char *what, double ours, double theirs, double goal, const char *unit)
{
    const double ratio = ours / theirs;
    std::printf("  %-14s %9.1f %s %9.1f %s %7.2f   at most %.2f: %s\n", what, ours, unit, theirs, unit, ratio, goal,
                ratio <= goal ? "met" : "NOT met");
}

} // namespace

int main()
{
    QTemporaryDir folder;
    if (!folder.isValid() || !writeSettings(folder.filePath(QStringLiteral("brisquel.ini")))) {
        std::printf("bench_startup: no temporary folder; no figures\n");
        return 1;
    }
    // The program keeps its settings in the folder it starts in.
    if (::chdir(folder.path().toLocal8Bit().constData()) != 0)
        return 1;

    Xvfb xvfb;
    std::vector<std::string> environment;
    std::string where;
    if (xvfb.start()) {
        environment = environmentWith({"DISPLAY=" + xvfb.display, "QT_QPA_PLATFORM=xcb"});
        where = "on a private Xvfb (" + xvfb.display + ")";
    } else {
        environment = environmentWith({"QT_QPA_PLATFORM=offscreen"});
        where = "on Qt's offscreen platform (no Xvfb)";
    }
    std::printf("bench_startup: process start to main window shown, %s; median of %d, taking turns\n",
                where.c_str(), kRuns);
    std::printf("  (brisquel: without the splash, the greeting answered at once)\n");

    const std::string ours = STARTUP_PROBE_BRISQUEL;
    const std::string theirs = STARTUP_PROBE_MINIMAL;
    const std::vector<std::string> plain;
    const std::vector<std::string> text{"text"};
    // One untimed round each, so all start with warm caches.
    if (!measure(ours, plain, environment) || !measure(theirs, plain, environment)
        || !measure(theirs, text, environment)) {
        std::printf("  a probe did not show its window; no figures\n");
        return 1;
    }
    std::vector<double> oursMs, theirsMs, textMs, oursRss, theirsRss, textRss;
    for (int i = 0; i < kRuns; ++i) {
        const std::optional<Sample> a = measure(ours, plain, environment);
        const std::optional<Sample> b = measure(theirs, plain, environment);
        const std::optional<Sample> c = measure(theirs, text, environment);
        if (!a || !b || !c) {
            std::printf("  a probe did not show its window; no figures\n");
            return 1;
        }
        oursMs.push_back(a->ms);
        oursRss.push_back(a->rssMb);
        theirsMs.push_back(b->ms);
        theirsRss.push_back(b->rssMb);
        textMs.push_back(c->ms);
        textRss.push_back(c->rssMb);
    }
    // The yardstick draws one line of text, as the program's window does, so
    // both load a font.
    std::printf("  %-14s %12s %12s %7s\n", "", "brisquel", "minimal Qt", "ratio");
    printRow("start-up", median(oursMs), median(textMs), 1.15, "ms");
    printRow("peak RSS", median(oursRss), median(textRss), 1.15, "MB");
    const double oursFastest = *std::min_element(oursMs.begin(), oursMs.end());
    const double textFastest = *std::min_element(textMs.begin(), textMs.end());
    std::printf("  %-14s %9.1f ms %9.1f ms %7.2f\n", "fastest run", oursFastest, textFastest,
                oursFastest / textFastest);
    // Not a goal, a hint at what a font costs: the same window without text.
    std::printf("  (minimal Qt without text: %.1f ms, %.1f MB; brisquel to it: %.2f and %.2f)\n",
                median(theirsMs), median(theirsRss), median(oursMs) / median(theirsMs),
                median(oursRss) / median(theirsRss));
    return 0;
}
