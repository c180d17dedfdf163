// Button strips, the settings gear, the panel marker and the glyph banner.
#include "pictures.h"

#include "pixels.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace brisquel::art {

using namespace detail;

namespace {

constexpr int kStripHeight = 5;

// Cross-section of the strip's tube, top row first.
constexpr std::array<QRgb, kStripHeight> kDimTube = {
    qRgb(22, 48, 104), qRgb(30, 86, 140), qRgb(66, 138, 172), qRgb(30, 86, 140),
    qRgb(22, 48, 104),
};
constexpr std::array<QRgb, kStripHeight> kLitTube = {
    qRgb(10, 70, 120), qRgb(26, 168, 190), qRgb(214, 250, 250), qRgb(26, 168, 190),
    qRgb(10, 70, 120),
};

QRgb scaled(QRgb colour, double factor)
{
    auto channel = [factor](int value) {
        return std::clamp(static_cast<int>(std::lround(value * factor)), 0, 255);
    };
    return qRgb(channel(qRed(colour)), channel(qGreen(colour)), channel(qBlue(colour)));
}

// Painted pixel by pixel: at five pixels high any smoothing would only smear
// the cyan key into the tube's edge.
QImage paintStrip(int width, bool pressed)
{
    const auto &tube = pressed ? kLitTube : kDimTube;
    QImage image(width, kStripHeight, QImage::Format_RGB32);
    const double half = (width - 1) / 2.0;
    for (int x = 0; x < width; ++x) {
        // Brightest in the middle, fading a little towards both ends.
        const double t = (x - half) / half;
        const double glow = 1.0 - 0.28 * t * t;
        const bool end = x == 0 || x == width - 1;
        for (int y = 0; y < kStripHeight; ++y) {
            const bool corner = end && (y == 0 || y == kStripHeight - 1);
            image.setPixel(x, y, corner ? kButtonKey : scaled(tube[static_cast<size_t>(y)], glow));
        }
    }
    return image;
}

// The same pixmap to every caller, so that what a button makes of it (its
// transparent picture) is made once too. Qt's cache holds it.
QPixmap shared(const QString &key, const QImage &painted)
{
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = QPixmap::fromImage(painted);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

// Each strip is painted once, dim and lit; a dozen buttons share them.
template <int Width>
QPixmap strip(bool pressed)
{
    static const std::array<QImage, 2> painted = {paintStrip(Width, false), paintStrip(Width, true)};
    return shared(QStringLiteral("brisquel/strip/%1/%2").arg(Width).arg(pressed), painted[pressed ? 1 : 0]);
}

QImage paintGear()
{
    constexpr int kSize = 32;
    constexpr int kTeeth = 8;
    constexpr double kOuter = 14.5;
    constexpr double kRoot = 10.5;
    const QPointF centre(kSize / 2.0, kSize / 2.0);

    QPainterPath gear;
    constexpr double step = 2.0 * std::numbers::pi / kTeeth;
    for (int i = 0; i < kTeeth; ++i) {
        const double a = i * step;
        // Each tooth: a flat top spanning a third of its step, flanks sloping
        // down to the root circle.
        const std::array<std::pair<double, double>, 4> outline = {{
            {a - step * 0.30, kRoot},
            {a - step * 0.17, kOuter},
            {a + step * 0.17, kOuter},
            {a + step * 0.30, kRoot},
        }};
        for (const auto &[angle, radius] : outline) {
            const QPointF p = centre + QPointF(std::cos(angle), std::sin(angle)) * radius;
            if (i == 0 && angle == outline.front().first)
                gear.moveTo(p);
            else
                gear.lineTo(p);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 4.0, 4.0);
    gear.setFillRule(Qt::OddEvenFill);

    QImage image = blankCanvas(kSize, kSize);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(QPointF(4, 4), QPointF(28, 28));
    body.setColorAt(0.0, QColor(kTeal));
    body.setColorAt(1.0, QColor(kDeepBlue));
    p.setPen(QPen(QColor(8, 22, 64), 1.0));
    p.setBrush(body);
    p.drawPath(gear);
    // A light ring round the hub gives the gear some depth.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(kPaleTeal), 1.5));
    p.drawEllipse(centre, 6.5, 6.5);
    p.end();
    return toButtonPicture(image);
}

QImage paintMarker()
{
    constexpr int kWidth = 11;
    constexpr int kHeight = 6;
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kHeight; ++y) {
        const int left = y;
        const int right = kWidth - 1 - y;
        for (int x = left; x <= right; ++x) {
            const bool edge = x == left || x == right || y == 0;
            image.setPixel(x, y, edge ? kDeepBlue : kTeal);
        }
    }
    return image;
}

QImage paintBanner()
{
    constexpr int kWidth = 93;
    constexpr int kHeight = 47;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient wash(QPointF(0, 0), QPointF(0, kHeight));
    wash.setColorAt(0.0, QColor(kWhite));
    wash.setColorAt(1.0, QColor(kPaleTeal));
    p.fillRect(image.rect(), wash);

    // A soft light pool in the middle where the glyph sits.
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient pool(QPointF(kWidth / 2.0, kHeight / 2.0), kWidth / 2.0);
    pool.setColorAt(0.0, QColor(255, 255, 255, 200));
    pool.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), pool);

    // Thin teal rules top and bottom, inset, and a deep blue frame.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(kTeal).lighter(150));
    p.drawLine(6, 3, kWidth - 7, 3);
    p.drawLine(6, kHeight - 4, kWidth - 7, kHeight - 4);
    p.setPen(QColor(kDeepBlue));
    p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    p.end();
    return image;
}

} // namespace

QPixmap bankStrip(bool pressed)
{
    return strip<90>(pressed);
}

QPixmap panelStrip(bool pressed)
{
    return strip<81>(pressed);
}

QPixmap smallStrip(bool pressed)
{
    return strip<50>(pressed);
}

QPixmap configPicture()
{
    static const QImage gear = paintGear();
    return shared(QStringLiteral("brisquel/gear"), gear);
}

QPixmap markerImage()
{
    static const QImage marker = paintMarker();
    return shared(QStringLiteral("brisquel/marker"), marker);
}

QPixmap bannerBitmap()
{
    static const QImage banner = paintBanner();
    return shared(QStringLiteral("brisquel/banner"), banner);
}

} // namespace brisquel::art
