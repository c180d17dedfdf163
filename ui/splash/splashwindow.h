#pragma once

#include "core/vbtypes.h"
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

    QTimer *tickTimer = nullptr;
    QLabel *sidePicture = nullptr;
    QLabel *mainPicture = nullptr;
    Integer tickCount = 0;

    void load();
    void onSizeOrStateChanged() override;
    void onTick();

private:
    AppWindows &m_windows;
};

} // namespace brisquel
