#include "pixelsvg.h"

#include <QString>

namespace {

QString rect(int x, int y, int width, QRgb colour)
{
    QString line = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"1\" fill=\"#%4\"")
                       .arg(x)
                       .arg(y)
                       .arg(width)
                       .arg(colour & 0xffffff, 6, 16, QLatin1Char('0'));
    if (qAlpha(colour) != 255)
        line += QStringLiteral(" fill-opacity=\"%1\"").arg(qAlpha(colour) / 255.0, 0, 'g', 3);
    return line + QStringLiteral("/>\n");
}

} // namespace

QByteArray pixelSvg(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QString svg = QStringLiteral(
                      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                      "viewBox=\"0 0 %1 %2\" shape-rendering=\"crispEdges\">\n")
                      .arg(image.width())
                      .arg(image.height());
    for (int y = 0; y < image.height(); ++y) {
        int x = 0;
        while (x < image.width()) {
            const QRgb colour = image.pixel(x, y);
            int end = x + 1;
            while (end < image.width() && image.pixel(end, y) == colour)
                ++end;
            if (qAlpha(colour) != 0)
                svg += rect(x, y, end - x, colour);
            x = end;
        }
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}
