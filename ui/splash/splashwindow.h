#pragma once

#include "ui/kit/twipswindow.h"

class QLabel;
class QTimer;

namespace brisquel {

class AppWindows;

// The splash: on screen for two ticks of its timer, then it opens the main
// window and unloads itself.
class SplashWindow : public TwipsWindow {
    Q_OBJECT

public:
    explicit SplashWindow(AppWindows &windows);

    void load();

protected:
    void onSizeOrStateChanged() override;

private:
    void onTick();

    QTimer *tickTimer = nullptr;
    QLabel *sidePicture = nullptr;
    QLabel *mainPicture = nullptr;
    int tickCount = 0;
    AppWindows &m_windows;
};

} // namespace brisquel
