#include "splashwindow.h"

#include "ui/art/pictures.h"
#include "ui/kit/centeronscreen.h"

#include <QLabel>
#include <QTimer>

namespace brisquel {

SplashWindow::SplashWindow(const ScreenMetrics &metrics)
    : TwipsWindow(metrics)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    tickTimer = new QTimer(this);
    tickTimer->setInterval(1000);
    tickTimer->setObjectName(QStringLiteral("tickTimer"));
    sidePicture = declare(new QLabel(this), "sidePicture", {3600, 0, 1815, 2655});
    sidePicture->setPixmap(art::splashPicture());
    mainPicture = declare(new QLabel(this), "mainPicture", {0, 0, 3540, 2655});
    mainPicture->setPixmap(art::splashBitmap());
    connect(tickTimer, &QTimer::timeout, this, &SplashWindow::onTick);
    tickTimer->start();
}

void SplashWindow::load()
{
    setHeightTwips(2790);
    setWidthTwips(5550);
    centerOnScreen(*this, metrics());
}

void SplashWindow::onSizeOrStateChanged()
{
    setHeightTwips(2790);
    setWidthTwips(5550);
}

void SplashWindow::onTick()
{
    ++tickCount;
    if (tickCount != 2)
        return;
    tickTimer->stop();
    emit finished();
}

} // namespace brisquel
