#include "pixels.h"

#include <algorithm>
#include <array>
#include <limits>

namespace brisquel::art::detail {

namespace {

constexpr std::array<QRgb, 16> kSixteen = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

constexpr int kHalfCovered = 128;

QRgb nearestOfSixteen(QRgb colour)
{
    QRgb best = kSixteen.front();
    int bestDistance = std::numeric_limits<int>::max();
    for (const QRgb candidate : kSixteen) {
        const int dr = qRed(colour) - qRed(candidate);
        const int dg = qGreen(colour) - qGreen(candidate);
        const int db = qBlue(colour) - qBlue(candidate);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = candidate;
        }
    }
    return best;
}

QRgb letterColour(char letter)
{
    switch (letter) {
    case 'k': return vga::kBlack;
    case 'n': return vga::kNavy;
    case 't': return vga::kTeal;
    case 'b': return vga::kBlue;
    case 'g': return vga::kGrey;
    case 's': return vga::kSilver;
    case 'a': return vga::kAqua;
    case 'w': return vga::kWhite;
    default: return qRgba(0, 0, 0, 0);
    }
}

} // namespace

QImage fromPixelRows(std::initializer_list<std::string_view> rows)
{
    int width = 0;
    for (const std::string_view row : rows)
        width = std::max(width, static_cast<int>(row.size()));
    QImage image(width, static_cast<int>(rows.size()), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    int y = 0;
    for (const std::string_view row : rows) {
        for (int x = 0; x < static_cast<int>(row.size()); ++x)
            image.setPixel(x, y, letterColour(row[static_cast<size_t>(x)]));
        ++y;
    }
    return image;
}

QImage blankCanvas(int width, int height)
{
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage toSixteenColours(const QImage &painted)
{
    QImage image = painted.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            line[x] = qAlpha(line[x]) < kHalfCovered ? qRgba(0, 0, 0, 0)
                                                     : nearestOfSixteen(line[x]);
        }
    }
    return image;
}

QImage toButtonPicture(const QImage &painted)
{
    QImage image = painted.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb pixel = line[x];
            if (qAlpha(pixel) < kHalfCovered) {
                pixel = kButtonKey;
            } else {
                pixel = qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
                if (pixel == kButtonKey)
                    pixel = qRgb(0, 250, 255);
            }
            line[x] = pixel;
        }
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace brisquel::art::detail
