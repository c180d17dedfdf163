#pragma once

#include "ui/kit/twipswindow.h"

class QLabel;
class QTimer;

namespace brisquel {

// The splash: on screen for two ticks of its timer, then it says it has
// finished, and the program opens the main window and unloads it.
class SplashWindow : public TwipsWindow {
    Q_OBJECT

public:
    explicit SplashWindow(const ScreenMetrics &metrics);

    void load();

signals:
    // The second tick: the main window's turn.
    void finished();

protected:
    void onSizeOrStateChanged() override;

private:
    void onTick();

    QTimer *tickTimer = nullptr;
    QLabel *sidePicture = nullptr;
    QLabel *mainPicture = nullptr;
    int tickCount = 0;
};

} // namespace brisquel
