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
    sidePicture = new QLabel(this);
    sidePicture->setPixmap(art::splashPicture());
    place(sidePicture, 3600, 0, 1815, 2655);
    mainPicture = new QLabel(this);
    mainPicture->setPixmap(art::splashBitmap());
    place(mainPicture, 0, 0, 3540, 2655);
    tickTimer->setObjectName(QStringLiteral("tickTimer"));
    sidePicture->setObjectName(QStringLiteral("sidePicture"));
    mainPicture->setObjectName(QStringLiteral("mainPicture"));
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
