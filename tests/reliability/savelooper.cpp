// Saves the settings over and over, alternating two different ones, until it
// is killed. Says "ready" once the first save is done.
//
//   reliability_savelooper PATH

#include "core/settingsfile.h"
#include "reliability/twosettings.h"

#include <cstdio>

using namespace brisquel;

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PATH\n", argv[0]);
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
