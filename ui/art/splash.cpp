// The two pictures of the splash window: the name panel and the side panel.
#include "pictures.h"

#include "pixels.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace brisquel::art {

using namespace detail;

namespace {

constexpr int kSplashHeight = 177;

QFont splashFont(int pixelSize, bool bold, bool italic)
{
    QFont font(QStringLiteral("Georgia"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Same deep-blue-to-teal sky on both panels, so they read as one.
void paintSky(QPainter &p, const QRect &area, const QPointF &from, const QPointF &to)
{
    QLinearGradient sky(from, to);
    sky.setColorAt(0.0, QColor(kDeepBlue).darker(130));
    sky.setColorAt(0.65, QColor(kDeepBlue));
    sky.setColorAt(1.0, QColor(kTeal));
    p.fillRect(area, sky);
}

QImage paintSplashBitmap()
{
    constexpr int kWidth = 236;
    QImage image(kWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintSky(p, image.rect(), QPointF(0, 0), QPointF(kWidth * 0.6, kSplashHeight));

    // A large, faint "ß" behind the name.
    p.setFont(splashFont(190, false, false));
    p.setPen(QColor(255, 255, 255, 22));
    p.drawText(QRect(96, -28, 150, 230), Qt::AlignCenter, QStringLiteral("\u00DF"));

    // The name, with a soft shadow.
    const QRect nameBox(0, 44, kWidth, 60);
    p.setFont(splashFont(41, true, true));
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(nameBox.translated(2, 2), Qt::AlignCenter, QStringLiteral("Brisquel"));
    p.setPen(QColor(kWhite));
    p.drawText(nameBox, Qt::AlignCenter, QStringLiteral("Brisquel"));

    // A thin rule fading out at both ends, and the version under it.
    QLinearGradient rule(QPointF(40, 0), QPointF(kWidth - 40, 0));
    rule.setColorAt(0.0, QColor(255, 255, 255, 0));
    rule.setColorAt(0.5, QColor(kPaleTeal));
    rule.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(QRectF(40, 108, kWidth - 80, 1.5), rule);

    p.setFont(splashFont(18, false, false));
    p.setPen(QColor(kPaleTeal));
    p.drawText(QRect(0, 114, kWidth, 28), Qt::AlignCenter, QStringLiteral("v2.4b"));

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(kTeal));
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    p.end();
    return image;
}

QImage paintSplashPicture()
{
    constexpr int kWidth = 121;
    QImage image(kWidth, kSplashHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p, image.rect(), QPointF(0, 0), QPointF(0, kSplashHeight));

    // Speech bubbles drifting upwards, smaller and fainter as they rise.
    struct Bubble {
        QPointF centre;
        double radius;
        int alpha;
    };
    constexpr std::array<Bubble, 7> bubbles = {{
        {{58, 140}, 26, 70},
        {{88, 94}, 17, 58},
        {{38, 82}, 12, 50},
        {{70, 52}, 10, 42},
        {{96, 30}, 7, 36},
        {{40, 30}, 6, 30},
        {{64, 12}, 4, 26},
    }};
    for (const Bubble &b : bubbles) {
        QPainterPath shape;
        shape.addEllipse(b.centre, b.radius, b.radius * 0.78);
        QPainterPath tail;
        tail.moveTo(b.centre + QPointF(-b.radius * 0.45, b.radius * 0.5));
        tail.lineTo(b.centre + QPointF(-b.radius * 0.75, b.radius * 1.05));
        tail.lineTo(b.centre + QPointF(-b.radius * 0.05, b.radius * 0.6));
        shape = shape.united(tail);
        p.setBrush(QColor(255, 255, 255, b.alpha / 2));
        p.setPen(QPen(QColor(255, 255, 255, b.alpha * 2), 1.0));
        p.drawPath(shape);
    }

    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(kTeal));
    p.setBrush(Qt::NoBrush);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    p.end();
    return image;
}

} // namespace

QPixmap splashBitmap()
{
    static const QImage bitmap = paintSplashBitmap();
    return QPixmap::fromImage(bitmap);
}

QPixmap splashPicture()
{
    static const QImage picture = paintSplashPicture();
    return QPixmap::fromImage(picture);
}

} // namespace brisquel::art
