// Load and save of a full settings file (three users, a group, a sender),
// per operation, in a temporary folder like the one the program runs in.

#include "core/settingsfile.h"
#include "timing.h"

#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using bench::Clock;
using bench::median;
using bench::msSince;

constexpr int kBatches = 9;
constexpr int kPerBatch = 300;

brisquel::AppState fullState()
{
    brisquel::AppState state;
    state.loginName = QStringLiteral("ana");
    state.senderName = QStringLiteral("Ana Núñez");
    state.signWithSenderName = true;
    for (int i = 0; i < brisquel::kRecipientSlots; ++i) {
        state.users[i] = {QStringLiteral("Compañero %1").arg(i), QStringLiteral("puesto%1").arg(i)};
        state.groups[i] = {QStringLiteral("Grupo %1").arg(i),
                           QStringLiteral("puesto%1, puesto%2, puesto%3").arg(i).arg(i + 1).arg(i + 2)};
    }
    return state;
}

// Microseconds per call of `operation`, the median of several batches.
template <typename Operation>
double microsecondsPerCall(Operation operation)
{
    std::vector<double> batches;
    for (int b = 0; b < kBatches; ++b) {
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kPerBatch; ++i)
            operation();
        batches.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kPerBatch);
    }
    return median(batches);
}

} // namespace

int main()
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::printf("bench_settings: no temporary folder; no figures\n");
        return 1;
    }
    const QString path = folder.filePath(QStringLiteral("brisquel.ini"));
    const QStorageInfo storage(folder.path());
    std::printf("bench_settings: a full settings file, per operation (median of %d batches of %d), in %s (%s)\n",
                kBatches, kPerBatch, qPrintable(folder.path()), storage.fileSystemType().constData());

    const brisquel::AppState state = fullState();
    const brisquel::TextBoxLook look;
    bool failed = false;
    const double save = microsecondsPerCall([&] {
        failed = failed || !brisquel::saveSettings(path, state, look).isEmpty();
    });
    const double load = microsecondsPerCall([&] {
        brisquel::AppState loaded;
        loaded.loginName = QStringLiteral("ana");
        brisquel::TextBoxLook loadedLook;
        const brisquel::LoadOutcome outcome = brisquel::loadSettings(path, loaded, loadedLook);
        failed = failed || outcome.recovered || !outcome.error.isEmpty();
    });
    if (failed) {
        std::printf("  a load or save failed; no figures\n");
        return 1;
    }
    std::printf("  load (loadSettingsFile's file part)  %9.1f µs\n", load);
    std::printf("  save (saveSettingsFile)             %9.1f µs\n", save);
    return 0;
}
