// Saves the settings over and over, alternating two different ones, until it
// is killed. Says "ready" once the first save is done.
//
//   reliability_savelooper PATH
//
// Or ends like one instance of the program: loads PATH, says "loaded",
// waits for a line on standard input, changes one value (bold, or the
// sender name) and saves as at exit; prints what the save said.
//
//   reliability_savelooper --exit bold|sender PATH

#include "core/settingsfile.h"
#include "reliability/twosettings.h"

#include <cstdio>
#include <cstring>

using namespace brisquel;

namespace {

int endLikeTheProgram(const char *change, const QString &path)
{
    AppState state;
    state.loginName = QStringLiteral("ana");
    TextBoxLook look;
    SettingsBaseline baseline = loadSettings(path, state, look).baseline;
    std::puts("loaded");
    std::fflush(stdout);
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 2;
    if (std::strcmp(change, "bold") == 0)
        look.bold = !look.bold;
    else
        state.senderName = QStringLiteral("Cambiado al salir");
    const QString error = saveSettingsAtExit(path, baseline, state, look);
    std::printf("%s\n", qPrintable(error));
    return error.isEmpty() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && std::strcmp(argv[1], "--exit") == 0)
        return endLikeTheProgram(argv[2], QString::fromLocal8Bit(argv[3]));
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH | --exit bold|sender PATH\n", argv[0]);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const Settings settings[2] = {settingsA(), settingsB()};
    for (unsigned long n = 0;; ++n) {
        const Settings &s = settings[n % 2];
        const QString error = saveSettings(path, s.state, s.look);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        if (n == 0) {
            std::puts("ready");
            std::fflush(stdout);
        }
    }
}
